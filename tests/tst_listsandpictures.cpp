#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Stands in for the images view's drop-down list.
struct NameList : CategoryDropDown {
    QList<std::pair<QString, int>> entries;
    void clear() override { entries.clear(); }
    void append(const QString& name, int number) override { entries.append({name, number}); }
};

ImageLink link(const QString& path, int removed = 0)
{
    ImageLink made;
    made.picturePath = path;
    made.displayTitle = QStringLiteral("t");
    made.removed = removed;
    return made;
}

ImageCategory category(const QString& name)
{
    ImageCategory made;
    made.name = name;
    return made;
}

} // namespace

class ListsAndPicturesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    TravelDataStore* m_store = nullptr;
    const RecordKey m_travel = QStringLiteral("2006030509012110");

    QString dataFile(const QString& name) const { return m_store->dataFolder().filePath(name); }
    QString picturesFile() const { return m_store->imageCategoryFile(m_travel); }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_store = new TravelDataStore;
        m_store->setImagesFolder(m_dir->filePath(QStringLiteral("Travel Images")));
        QVERIFY(openStore(*m_store, m_dir->path()));
        // The lists belong to a travel that is on disk.
        TravelRecord travel(at(2006, 3, 5));
        travel.key = m_travel;
        QVERIFY(m_store->SaveTravel(travel).ok());
    }

    void cleanup()
    {
        delete m_store;
        delete m_dir;
    }

    void checkListCaptionsAndSaving()
    {
        QCOMPARE(m_store->CheckListCaption(m_travel), QStringLiteral("Check List"));
        // A checked value of 7 counts as checked and is saved back as 1.
        QVERIFY(writeFile(dataFile(DataFolder::checkListFileName(m_travel)),
                          hex("05000000 0161 07000000 0162 00000000 0163 01000000 0164 00000000 "
                              "0165 00000000")));
        QCOMPARE(m_store->CheckListCaption(m_travel), QStringLiteral("Check List [2/5]"));
        const QList<CheckListItem> items = m_store->LoadCheckList(m_travel);
        QCOMPARE(items.first().checked, 7);
        QVERIFY(m_store->SaveCheckList(m_travel, items).ok());
        QCOMPARE(readFile(dataFile(DataFolder::checkListFileName(m_travel))).mid(4, 6),
                 hex("0161 01000000"));
    }

    void expenseCaptionsAndCounts()
    {
        QCOMPARE(m_store->ExpensesCaption(m_travel), QStringLiteral("Expense List"));
        const QList<ExpenseRecord> lines{
            ExpenseRecord{QStringLiteral("Food"), 2, QStringLiteral("Kg"), 6.25, 12.5, 1},
            ExpenseRecord{QStringLiteral("Hotel"), 1, QString(), 300, 300, 0},
            // The stored total counts, not quantity times price.
            ExpenseRecord{QStringLiteral("Taxi"), 1, QString(), 20, 21, 0},
        };
        QVERIFY(m_store->SaveExpenses(m_travel, lines).ok());
        QCOMPARE(m_store->LoadExpenses(m_travel), lines);
        // The caption shows the count: all, purchased and their sum.
        m_store->setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        QCOMPARE(m_store->ExpensesCaption(m_travel), QStringLiteral("Expenses [1/3] - $12.50"));
    }

    void categoriesAreNumberedInFileOrderAcrossLoads()
    {
        NameList names;
        ImageLinkMap links;
        m_store->LoadCategories(m_travel, &names, links);
        QVERIFY(names.entries.isEmpty() && links.isEmpty() && m_store->Categories().isEmpty());
        QVERIFY(m_store->SaveCategories(m_travel, links).ok());
        QCOMPARE(readFile(picturesFile()), hex("00000000"));

        const int sea = m_store->AddCategory(category(QStringLiteral("Sea")));
        const int city = m_store->AddCategory(category(QStringLiteral("City")));
        QCOMPARE(sea, 1);
        QCOMPARE(city, 2);
        links.insert(1000, link(QStringLiteral("/a.jpg")));
        links.insert(1001, link(QStringLiteral("/b.jpg"), 1));
        links.insert(1002, link(QStringLiteral("/c.jpg")));
        links.insert(2000, link(QStringLiteral("/d.jpg")));
        links.insert(2002, link(QStringLiteral("/gap.jpg"))); // after a gap: not the city's
        // The removed link and the one after the gap are not written (the layout of the
        // file is the codec test's): read back, the links are numbered afresh.
        QVERIFY(m_store->SaveCategories(m_travel, links).ok());
        m_store->LoadCategories(m_travel, &names, links);
        QCOMPARE(names.entries, (QList<std::pair<QString, int>>{{QStringLiteral("Sea"), 1},
                                                                {QStringLiteral("City"), 2}}));
        QCOMPARE(links.keys(), (QList<LinkKey>{1000, 1001, 2000}));
        QCOMPARE(links.value(1001).picturePath, QStringLiteral("/c.jpg"));
        QCOMPARE(m_store->Categories().value(1).imageCount, 2);
        QCOMPARE(m_store->AddCategory(category(QStringLiteral("New"))), 3);

        // A travel without a picture file keeps the last number.
        m_store->LoadCategories(QStringLiteral("1999"), &names, links);
        QVERIFY(names.entries.isEmpty());
        QCOMPARE(m_store->AddCategory(category(QStringLiteral("Next"))), 4);

        // Removed categories are not written; their links stay with the caller.
        m_store->LoadCategories(m_travel, &names, links);
        m_store->RemoveCategory(1);
        QVERIFY(m_store->SaveCategories(m_travel, links).ok());
        m_store->LoadCategories(m_travel, &names, links);
        QCOMPARE(names.entries.size(), 1);
        QCOMPARE(links.value(1000).picturePath, QStringLiteral("/d.jpg"));
    }

    void aFullCategoryKeepsToItsOwnLinks()
    {
        NameList names;
        ImageLinkMap links;
        m_store->LoadCategories(m_travel, &names, links);
        const int many = m_store->AddCategory(category(QStringLiteral("Many")));
        const int second = m_store->AddCategory(category(QStringLiteral("Second")));
        for (int i = 0; i < LinksPerCategory; ++i)
            links.insert(many * LinksPerCategory + i, link(QStringLiteral("/m%1.jpg").arg(i)));
        links.insert(second * LinksPerCategory, link(QStringLiteral("/s0.jpg")));
        links.insert(second * LinksPerCategory + 1, link(QStringLiteral("/s1.jpg")));
        QCOMPARE(CategoryLinkKeys(links, many).size(), LinksPerCategory);
        QVERIFY(m_store->SaveCategories(m_travel, links).ok());

        m_store->LoadCategories(m_travel, &names, links);
        QCOMPARE(m_store->problems(), QList<LoadProblem>{});
        QCOMPARE(m_store->Categories().value(many).imageCount, int(LinksPerCategory));
        QCOMPARE(m_store->Categories().value(second).imageCount, 2);
        QCOMPARE(CategoryLinkKeys(links, second).size(), 2);
        QCOMPARE(links.value(second * LinksPerCategory).picturePath, QStringLiteral("/s0.jpg"));
    }

    void aDamagedPictureFileIsReportedAndKeptAsItIs()
    {
        QVERIFY(QDir().mkpath(m_store->imagesFolder()));
        const QByteArray whole = hex("02000000 0141 0000000000 01000000 022f61 0174 0000000000"
                                     "0142 0000000000 01000000 022f62 0174 0000000000");
        QVERIFY(writeFile(picturesFile(), whole.left(whole.size() - 3)));
        NameList names;
        ImageLinkMap links;
        m_store->LoadCategories(m_travel, &names, links);
        QCOMPARE(names.entries.size(), 2);
        QCOMPARE(links.keys(), QList<LinkKey>{1000});
        QCOMPARE(m_store->problems().size(), 1);
        QCOMPARE(m_store->problems().first().fileName, DataFolder::imageCategoryFileName(m_travel));
        QCOMPARE(readFile(picturesFile()), whole.left(whole.size() - 3));
    }
};

QTEST_GUILESS_MAIN(ListsAndPicturesTest)
#include "tst_listsandpictures.moc"
