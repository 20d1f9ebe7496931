#include "platform/bind/BindSource.h"
#include "platform/bind/LinkListControlToField.h"
#include "platform/widgets/ListView.h"
#include "platform/widgets/MyComboBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>

namespace {

std::unique_ptr<TDataTable> organisations()
{
    auto table = std::make_unique<TDataTable>(QStringLiteral("mtOrga"));
    TDataSetRows rows;
    rows.fields = {{"id", TFieldType::Integer, true}, {"name", TFieldType::Text}, {"city", TFieldType::Text}};
    rows.rows = {{1, "ZQ Software GmbH", "Hamburg"},
                 {2, "Praxis-Service Nord", "Kiel"},
                 {3, "MediPartner Süd", "München"}};
    for (const TFieldDef& field : rows.fields)
        table->AddField(field);
    table->AppendRows(rows);
    return table;
}

QStringList itemsOf(const QComboBox& ACombo)
{
    QStringList items;
    for (int i = 0; i < ACombo.count(); ++i)
        items << ACombo.itemText(i);
    return items;
}

} // namespace

// List bindings and the list controls they fill: the search box of the list view and the combo box's
// type-ahead.
class TestListBindings : public QObject
{
    Q_OBJECT

private slots:
    void listFollowsTableAndCursor()
    {
        auto table = organisations();
        TBindSource source(QStringLiteral("Orga"), nullptr);
        TMyComboBox combo;
        TLinkListControlToField link(&source, QStringLiteral("name"), QString(), &combo, nullptr);
        QCOMPARE(combo.count(), 0); // no data set yet

        source.SetDataSet(table.get());
        QCOMPARE(itemsOf(combo), (QStringList{"ZQ Software GmbH", "Praxis-Service Nord", "MediPartner Süd"}));
        table->Last();
        QCOMPARE(combo.currentIndex(), 2);
        combo.OnItemChosen(1); // as the user's choice
        QCOMPARE(table->Value("id").toInt(), 2);

        table->SetIndexFieldNames(QStringLiteral("city:D"));
        QCOMPARE(combo.itemText(0), QStringLiteral("MediPartner Süd"));
        link.SetActive(false);
        QCOMPARE(combo.count(), 0);
        link.SetActive(true);
        QCOMPARE(combo.count(), 3);
        source.SetDataSet(nullptr);
        QCOMPARE(combo.count(), 0);
    }

    void searchNarrowsTheDisplayOnly()
    {
        auto table = organisations();
        TBindSource source(QStringLiteral("Orga"), nullptr);
        source.SetDataSet(table.get());
        TListView list;
        TLinkListControlToField link(&source, QStringLiteral("name"), QStringLiteral("city"), &list, nullptr);
        list.SearchBox()->setText(QStringLiteral("  sErViCe "));
        QCOMPARE(list.ShownItems(), QList<int>{1});
        QTest::mouseClick(list.View()->viewport(), Qt::LeftButton, {},
                          list.View()->visualRect(list.View()->model()->index(0, 0)).center());
        QCOMPARE(table->Value("name").toString(), QStringLiteral("Praxis-Service Nord"));
        list.SearchBox()->clear();
        QCOMPARE(list.ShownItems(), (QList<int>{0, 1, 2}));
        QCOMPARE(table->RecordCount(), 3);
    }

    void typeAhead()
    {
        TMyComboBox combo;
        combo.SetListItems(
            {{"Alpha", ""}, {"Example", ""}, {"Extra", ""}, {"xylo", ""}, {"42 Werkzeuge", ""}});
        QList<int> chosen;
        combo.OnItemChosen = [&](int AIndex) {
            chosen << AIndex;
        };

        QTest::keyClick(&combo, Qt::Key_E);
        QTest::keyClick(&combo, Qt::Key_X, Qt::NoModifier);
        QTest::keyClick(&combo, Qt::Key_T);
        QCOMPARE(combo.currentText(), QStringLiteral("Extra"));
        QCOMPARE(combo.Keys(), QStringLiteral("ext"));
        QCOMPARE(chosen.last(), 2);

        QTest::qWait(600); // a pause starts a new search
        QTest::keyClick(&combo, Qt::Key_X);
        QCOMPARE(combo.currentText(), QStringLiteral("xylo"));
        QCOMPARE(combo.Keys(), QStringLiteral("x"));

        QTest::qWait(600);
        QTest::keyClick(&combo, Qt::Key_4);
        QCOMPARE(combo.currentText(), QStringLiteral("42 Werkzeuge"));

        // Other characters never enter the buffer; Enter does nothing.
        const int before = combo.currentIndex();
        QTest::keyClick(&combo, Qt::Key_Space);
        QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
        QApplication::sendEvent(&combo, &umlaut);
        QCOMPARE(combo.Keys(), QStringLiteral("4"));
        QTest::keyClick(&combo, Qt::Key_Return);
        QCOMPARE(combo.currentIndex(), before);

        // A letter that begins no item is left to the combo box.
        QTest::qWait(600);
        chosen.clear();
        QTest::keyClick(&combo, Qt::Key_Q);
        QVERIFY(chosen.isEmpty());
        QCOMPARE(combo.Keys(), QStringLiteral("q"));
    }
};

QTEST_MAIN(TestListBindings)
#include "tst_listbindings.moc"
