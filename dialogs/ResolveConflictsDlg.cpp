#include "ResolveConflictsDlg.h"

#include "ConflictDifferences.h"
#include "Prompter.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

CResolveConflictsDlg::CResolveConflictsDlg(QList<ConflictCopy> copies, QString workingDirectory,
                                           std::function<QString(const QString&)> travelTitle,
                                           Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_copies(std::move(copies)), m_workingDirectory(std::move(workingDirectory)),
      m_travelTitle(std::move(travelTitle)), m_prompter(prompter), m_records(new QListWidget(this)),
      m_differences(new QTreeWidget(this)), m_files(new QLabel(this)),
      m_keepRecord(new QPushButton(tr("Keep &Record"), this)),
      m_keepCopy(new QPushButton(tr("Keep &Copy"), this)),
      m_merge(new QPushButton(tr("&Merge Both"), this))
{
    setObjectName(QStringLiteral("resolveConflicts"));
    setWindowTitle(tr("Resolve Conflicts"));
    resize(860, 480);
    m_records->setObjectName(QStringLiteral("conflictRecords"));
    m_differences->setObjectName(QStringLiteral("conflictDifferences"));
    m_keepRecord->setObjectName(QStringLiteral("keepRecord"));
    m_keepCopy->setObjectName(QStringLiteral("keepCopy"));
    m_merge->setObjectName(QStringLiteral("mergeVersions"));
    m_keepRecord->setToolTip(tr("Keep the record file as it is; the copy goes to Conflicts"));
    m_keepCopy->setToolTip(
        tr("The copy takes the record's place; the record's version goes to Conflicts"));
    m_merge->setToolTip(tr("Every entry of both versions, ticks from the later one; both "
                           "versions go to Conflicts"));
    m_differences->setColumnCount(3);
    m_differences->setHeaderLabels({tr("What"), tr("Record"), tr("Conflict copy")});
    m_differences->setRootIsDecorated(false);
    m_differences->setWordWrap(true);
    m_differences->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_files->setWordWrap(true);
    m_files->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* intro = new QLabel(tr("Another device saved these records at the same time as this "
                                "one. Choose the version to keep; the other is moved to the "
                                "folder Conflicts in the working directory, never deleted."),
                             this);
    intro->setWordWrap(true);
    auto* recordsLabel = new QLabel(tr("R&ecords with conflicts:"), this);
    recordsLabel->setBuddy(m_records);
    auto* differencesLabel = new QLabel(tr("&Differences:"), this);
    differencesLabel->setBuddy(m_differences);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(recordsLabel);
    leftLayout->addWidget(m_records);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
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
    connect(m_records, &QListWidget::currentRowChanged, this, &CResolveConflictsDlg::showSelected);

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
    m_records->clear();
    for (const ConflictCopy& copy : std::as_const(m_copies)) {
        const RecordKind kind = KindOfRecordName(copy.recordName);
        const QString travelKey = TravelKeyOfRecordName(copy.recordName);
        QString title = travelKey.isEmpty() ? QString() : m_travelTitle(travelKey);
        if (title.isEmpty())
            title = travelKey.isEmpty() ? copy.recordName : tr("Travel %1").arg(travelKey);
        auto* item =
            new QListWidgetItem(tr("%1: %2\n%3, %4")
                                    .arg(title, RecordKindName(kind), copy.engine,
                                         QLocale().toString(copy.when, QLocale::ShortFormat)),
                                m_records);
        item->setToolTip(copy.copyName);
    }
    if (m_records->count() > 0)
        m_records->setCurrentRow(std::min(row, m_records->count() - 1));
    showSelected();
}

const ConflictCopy* CResolveConflictsDlg::selectedCopy() const
{
    const int row = m_records->currentRow();
    return row >= 0 && row < m_copies.size() ? &m_copies[row] : nullptr;
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
    for (const VersionDifference& row : rows)
        new QTreeWidgetItem(m_differences, {row.what, row.record, row.copy});
}

bool CResolveConflictsDlg::resolveSelected(KeepVersion keep)
{
    const ConflictCopy* copy = selectedCopy();
    if (!copy)
        return false;
    if (const Outcome settled = ResolveConflict(*copy, keep, m_workingDirectory); !settled.ok()) {
        m_prompter.inform(this, settled.message());
        fillRecords();
        return false;
    }
    m_copies.removeAt(m_records->currentRow());
    ++m_resolved;
    fillRecords();
    return true;
}
