#include "DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimeZone>

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* ok = box->button(QDialogButtonBox::Ok);
    WithControlId(ok, Control::Ok);
    if (!okText.isEmpty())
        ok->setText(okText);
    WithControlId(box->button(QDialogButtonBox::Cancel), Control::Cancel);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

QDateTime EditableMoment(const DateTimeValue& value)
{
    // In UTC, which has no daylight-saving gaps: a stored 02:30 on the night the clocks go
    // forward is edited as 02:30, not replaced by now.
    const QDateTime moment = value.toWallClock();
    if (moment.isValid())
        return moment;
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), now.time(), Qt::UTC);
}

QString NotesForEditing(const QString& stored)
{
    return QString(stored).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString NotesForStoring(const QString& edited)
{
    return NotesForEditing(edited).replace(QLatin1String("\n"), QLatin1String("\r\n"));
}
