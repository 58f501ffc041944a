#!/usr/bin/env python3
"""Copies the sample travel documents with their dates moved to this month.

    scripts/shift-sample-dates.py SOURCE_FOLDER TARGET_FOLDER [PICTURES_FOLDER [YYYY-MM]]

Every valid date-time of the documents (an object {"status": 0, "days": ...}) moves by the
days between the first of the month the earliest travel starts in and the first of the
current month (or of YYYY-MM), so the travels fall in that month and the next ones,
weekdays aside. Picture links that name a file without a folder are pointed into
PICTURES_FOLDER.
"""

import datetime
import json
import os
import sys

EPOCH = datetime.date(1899, 12, 30)


def walk(value, visit):
    if isinstance(value, dict):
        visit(value)
        for item in value.values():
            walk(item, visit)
    elif isinstance(value, list):
        for item in value:
            walk(item, visit)


def main():
    if len(sys.argv) not in (3, 4, 5):
        sys.exit(__doc__.strip())
    source, target = sys.argv[1], sys.argv[2]
    pictures = os.path.abspath(sys.argv[3]) if len(sys.argv) >= 4 else None
    month = datetime.date.today()
    if len(sys.argv) == 5:
        try:
            month = datetime.datetime.strptime(sys.argv[4], "%Y-%m").date()
        except ValueError:
            sys.exit("shift-sample-dates: give the month as YYYY-MM, not " + sys.argv[4])
    names = sorted(name for name in os.listdir(source) if name.endswith(".json"))
    documents = {name: json.load(open(os.path.join(source, name), encoding="utf-8")) for name in names}
    starts = [doc["start"]["days"] for doc in documents.values()
              if doc.get("start", {}).get("status") == 0]
    if not starts:
        sys.exit("shift-sample-dates: no travel with a start date")
    first = EPOCH + datetime.timedelta(days=int(min(starts)))
    shift = (month.replace(day=1) - first.replace(day=1)).days

    def move(node):
        if node.get("status") == 0 and isinstance(node.get("days"), (int, float)) and "days" in node:
            node["days"] = node["days"] + shift
        link = node.get("picturePath")
        if pictures and isinstance(link, str) and os.sep not in link:
            node["picturePath"] = os.path.join(pictures, link)

    os.makedirs(target, exist_ok=True)
    for name, document in documents.items():
        walk(document, move)
        with open(os.path.join(target, name), "w", encoding="utf-8") as out:
            json.dump(document, out, ensure_ascii=False, indent=2)


if __name__ == "__main__":
    main()
