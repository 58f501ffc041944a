#include "ResolveConflictsDlg.h"

#include "ConflictDifferences.h"
#include "Prompter.h"
#include "WrappedCellDelegate.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

CResolveConflictsDlg::CResolveConflictsDlg(QList<ConflictCopy> copies, QString workingDirectory,
                                           std::function<QString(const QString&)> travelTitle,
                                           Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_workingDirectory(std::move(workingDirectory)),
      m_travelTitle(std::move(travelTitle)), m_prompter(prompter), m_records(new QListWidget(this)),
      m_copyChoice(new QComboBox(this)), m_differences(new QTreeWidget(this)),
      m_files(new QLabel(this)), m_keepRecord(new QPushButton(tr("Keep &Record"), this)),
      m_keepCopy(new QPushButton(tr("Keep &Copy"), this)),
      m_merge(new QPushButton(tr("&Merge Both"), this))
{
    setObjectName(QStringLiteral("resolveConflicts"));
    for (ConflictCopy& copy : copies) {
        const auto same = std::find_if(m_groups.begin(), m_groups.end(), [&](const auto& group) {
            return group.first().folder == copy.folder &&
                   group.first().recordName == copy.recordName;
        });
        if (same == m_groups.end())
            m_groups.append({std::move(copy)});
        else
            same->append(std::move(copy));
    }
    for (QList<ConflictCopy>& group : m_groups) {
        std::stable_sort(
            group.begin(), group.end(),
            [](const ConflictCopy& a, const ConflictCopy& b) { return a.when > b.when; });
    }
    setWindowTitle(tr("Resolve Conflicts"));
    resize(860, 480);
    m_records->setObjectName(QStringLiteral("conflictRecords"));
    m_differences->setObjectName(QStringLiteral("conflictDifferences"));
    m_copyChoice->setObjectName(QStringLiteral("conflictCopyChoice"));
    m_keepRecord->setObjectName(QStringLiteral("keepRecord"));
    m_keepCopy->setObjectName(QStringLiteral("keepCopy"));
    m_merge->setObjectName(QStringLiteral("mergeVersions"));
    m_keepRecord->setToolTip(tr("Keep the record file as it is; the copies go to Conflicts"));
    m_keepCopy->setToolTip(tr("The copy shown takes the record's place; the record's version "
                              "and any other copies go to Conflicts"));
    m_merge->setToolTip(tr("Every entry of all versions, ticks from the later one; the "
                           "versions go to Conflicts"));
    m_differences->setColumnCount(3);
    m_differences->setHeaderLabels({tr("What"), tr("Record"), tr("Conflict copy")});
    m_differences->setRootIsDecorated(false);
    m_differences->setItemDelegate(new WrappedCellDelegate(m_differences));
    // The versions get the room; a field's name needs little.
    m_differences->header()->setStretchLastSection(false);
    m_differences->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_differences->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_files->setWordWrap(true);
    m_files->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* intro = new QLabel(tr("Another device saved these records at the same time as this "
                                "one. Choose the version to keep; the others are moved to "
                                "the folder Conflicts in the working directory, never deleted."),
                             this);
    intro->setWordWrap(true);
    auto* recordsLabel = new QLabel(tr("R&ecords with conflicts:"), this);
    recordsLabel->setBuddy(m_records);
    auto* differencesLabel = new QLabel(tr("&Differences:"), this);
    differencesLabel->setBuddy(m_differences);
    auto* copyLabel = new QLabel(tr("Co&py:"), this);
    copyLabel->setBuddy(m_copyChoice);
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copyLabel);
    copyRow->addWidget(m_copyChoice, 1);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(recordsLabel);
    leftLayout->addWidget(m_records);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(copyRow);
    rightLayout->addWidget(differencesLabel);
    rightLayout->addWidget(m_differences);
    rightLayout->addWidget(m_files);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setSizes({300, 560});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_keepRecord, QDialogButtonBox::ActionRole);
    buttons->addButton(m_keepCopy, QDialogButtonBox::ActionRole);
    buttons->addButton(m_merge, QDialogButtonBox::ActionRole);
    for (QPushButton* button : {m_keepRecord, m_keepCopy, m_merge})
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_keepRecord, &QPushButton::clicked, this,
            [this] { resolveSelected(KeepVersion::Record); });
    connect(m_keepCopy, &QPushButton::clicked, this,
            [this] { resolveSelected(KeepVersion::Copy); });
    connect(m_merge, &QPushButton::clicked, this, [this] { resolveSelected(KeepVersion::Merge); });
    connect(m_records, &QListWidget::currentRowChanged, this, &CResolveConflictsDlg::fillCopies);
    connect(m_copyChoice, &QComboBox::currentIndexChanged, this,
            &CResolveConflictsDlg::showSelected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    fillRecords();
    m_records->setFocus();
}

void CResolveConflictsDlg::fillRecords()
{
    const int row = std::max(0, m_records->currentRow());
    const QSignalBlocker quiet(m_records);
    m_records->clear();
    for (const QList<ConflictCopy>& group : std::as_const(m_groups)) {
        const ConflictCopy& newest = group.first();
        const RecordKind kind = KindOfRecordName(newest.recordName);
        const QString travelKey = TravelKeyOfRecordName(newest.recordName);
        QString title = travelKey.isEmpty() ? QString() : m_travelTitle(travelKey);
        if (title.isEmpty())
            title = travelKey.isEmpty() ? newest.recordName : tr("Travel %1").arg(travelKey);
        QString text = tr("%1: %2\n%3, %4")
                           .arg(title, RecordKindName(kind), newest.engine,
                                QLocale().toString(newest.when, QLocale::ShortFormat));
        if (group.size() > 1)
            text += tr(" (%n copies)", nullptr, int(group.size()));
        auto* item = new QListWidgetItem(text, m_records);
        QStringList names;
        for (const ConflictCopy& copy : group)
            names.append(copy.copyName);
        item->setToolTip(names.join(u'\n'));
    }
    if (m_records->count() > 0)
        m_records->setCurrentRow(std::min(row, m_records->count() - 1));
    fillCopies();
}

void CResolveConflictsDlg::fillCopies()
{
    {
        const QSignalBlocker quiet(m_copyChoice);
        m_copyChoice->clear();
        if (const QList<ConflictCopy>* group = selectedRecord()) {
            for (const ConflictCopy& copy : *group) {
                m_copyChoice->addItem(tr("%1, %2").arg(
                    copy.engine, QLocale().toString(copy.when, QLocale::ShortFormat)));
                m_copyChoice->setItemData(m_copyChoice->count() - 1, copy.copyName,
                                          Qt::ToolTipRole);
            }
        }
        m_copyChoice->setEnabled(m_copyChoice->count() > 1);
    }
    showSelected();
}

QList<ConflictCopy>* CResolveConflictsDlg::selectedRecord()
{
    const int row = m_records->currentRow();
    return row >= 0 && row < m_groups.size() ? &m_groups[row] : nullptr;
}

const ConflictCopy* CResolveConflictsDlg::selectedCopy() const
{
    const int row = m_records->currentRow();
    const int choice = m_copyChoice->currentIndex();
    if (row < 0 || row >= m_groups.size() || choice < 0 || choice >= m_groups[row].size())
        return nullptr;
    return &m_groups[row][choice];
}

void CResolveConflictsDlg::showSelected()
{
    m_differences->clear();
    const ConflictCopy* copy = selectedCopy();
    const bool recordThere = copy && QFileInfo::exists(copy->recordPath());
    // Keeping a record that is gone would only put its last version aside.
    m_keepRecord->setEnabled(recordThere);
    m_keepCopy->setEnabled(copy);
    m_merge->setEnabled(copy && CanMergeKind(KindOfRecordName(copy->recordName)));
    m_merge->setText(m_copyChoice->count() > 1 ? tr("&Merge All") : tr("&Merge Both"));
    if (!copy) {
        m_files->setText(tr("No conflicts are left."));
        return;
    }
    const QDir base(m_workingDirectory);
    m_files->setText(tr("Record: %1%2\nCopy: %3")
                         .arg(QDir::toNativeSeparators(base.relativeFilePath(copy->recordPath())),
                              recordThere ? QString() : tr(" (gone)"),
                              QDir::toNativeSeparators(base.relativeFilePath(copy->copyPath()))));
    QString reason;
    const QList<VersionDifference> rows = DifferencesOf(*copy, &reason);
    if (!reason.isEmpty()) {
        new QTreeWidgetItem(m_differences, {tr("Unreadable"), reason, QString()});
        return;
    }
    if (rows.isEmpty())
        new QTreeWidgetItem(m_differences, {tr("Nothing"), tr("Both versions are the same")});
    for (const VersionDifference& row : rows) {
        auto* item = new QTreeWidgetItem(m_differences, {row.what, row.record, row.copy});
        item->setToolTip(1, row.record);
        item->setToolTip(2, row.copy);
    }
}

bool CResolveConflictsDlg::resolveSelected(KeepVersion keep)
{
    QList<ConflictCopy>* group = selectedRecord();
    const int choice = m_copyChoice->currentIndex();
    if (!group || choice < 0 || choice >= group->size())
        return false;
    // The copy kept goes first; the others are then set aside against what it left.
    if (keep == KeepVersion::Copy)
        group->move(choice, 0);
    while (!group->isEmpty()) {
        if (const Outcome settled = ResolveConflict(group->first(), keep, m_workingDirectory);
            !settled.ok()) {
            m_prompter.inform(this, settled.message());
            fillRecords();
            return false;
        }
        group->removeFirst();
        ++m_resolved;
        if (keep == KeepVersion::Copy)
            keep = KeepVersion::Record;
    }
    m_groups.removeAt(m_records->currentRow());
    fillRecords();
    return true;
}
