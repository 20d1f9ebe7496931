#include "platform/bind/BindSource.h"
#include "platform/bind/ControlBindings.h"
#include "platform/widgets/ListView.h"
#include "platform/widgets/Navigator.h"
#include "tests/testsupport/GuiTestMain.h"
#include "tests/testsupport/MessageBoxCatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

std::unique_ptr<TDataTable> tableOf(const QString& AName, const TDataSetRows& ARows)
{
    auto table = std::make_unique<TDataTable>(AName);
    for (const TFieldDef& field : ARows.fields)
        table->AddField(field);
    table->AppendRows(ARows);
    return table;
}

std::unique_ptr<TDataTable> customers()
{
    TDataSetRows rows;
    rows.fields = {{"id", TFieldType::Integer, true},
                   {"customername", TFieldType::Text},
                   {"commentfield", TFieldType::Text},
                   {"active", TFieldType::Boolean},
                   {"changed", TFieldType::DateTime},
                   {"customertype_id", TFieldType::Integer},
                   {"typename", TFieldType::Text, false, false, true}};
    rows.rows = {
        {1, "Praxis Berger", "erste", true, QDateTime(QDate(2026, 1, 2), QTime(8, 0)), 2, "Zahnarztpraxis"},
        {2, "MVZ Ostufer", "zweite", false, QVariant(), 3, "MVZ"}};
    return tableOf(QStringLiteral("mtCustomer"), rows);
}

std::unique_ptr<TDataTable> customerTypes()
{
    TDataSetRows rows;
    rows.fields = {{"id", TFieldType::Integer, true}, {"name", TFieldType::Text}};
    rows.rows = {{1, "Arztpraxis"}, {2, "Zahnarztpraxis"}, {3, "MVZ"}};
    return tableOf(QStringLiteral("mtCustomertype"), rows);
}

} // namespace

// Controls bound to fields, the navigator bar and the list view's item buttons.
class TestControlBindings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TDataTable> FTable;
    std::unique_ptr<TDataTable> FTypes;
    std::unique_ptr<TBindSource> FSource;
    std::unique_ptr<TBindSource> FTypeSource;
    std::unique_ptr<QWidget> FForm;

    template <class T>
    T* add()
    {
        auto* control = new T;
        FForm->layout()->addWidget(control);
        return control;
    }

private slots:
    void init()
    {
        FTable = customers();
        FTypes = customerTypes();
        FSource = std::make_unique<TBindSource>(QStringLiteral("Customer"), nullptr);
        FTypeSource = std::make_unique<TBindSource>(QStringLiteral("Customertype"), nullptr);
        FForm = std::make_unique<QWidget>();
        new QVBoxLayout(FForm.get());
    }

    void cleanup()
    {
        FForm.reset();
        FSource.reset();
        FTypeSource.reset();
    }

    void controlsShowTheCurrentRowAndWriteBack()
    {
        auto* name = add<QLineEdit>();
        auto* comment = add<QPlainTextEdit>();
        auto* active = add<QCheckBox>();
        auto* changed = add<QDateTimeEdit>();
        auto* joined = add<QLineEdit>();
        auto* other = add<QLineEdit>();
        BindEdit(FSource.get(), "customername", name);
        BindMemo(FSource.get(), "commentfield", comment);
        BindCheckBox(FSource.get(), "active", active);
        BindDateEdit(FSource.get(), "changed", changed);
        BindEdit(FSource.get(), "typename", joined);
        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        QVERIFY(!name->isEnabled()); // no data set yet

        FSource->SetDataSet(FTable.get());
        QCOMPARE(name->text(), QStringLiteral("Praxis Berger"));
        QCOMPARE(comment->toPlainText(), QStringLiteral("erste"));
        QVERIFY(active->isChecked());
        QCOMPARE(changed->date(), QDate(2026, 1, 2));
        QVERIFY(!joined->isEnabled());
        FTable->Next();
        QCOMPARE(name->text(), QStringLiteral("MVZ Ostufer"));

        // An edit writes when the user leaves it; typing alone changes nothing.
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral(" Kiel"));
        QCOMPARE(FTable->State(), TDataTable::TState::Browse);
        other->setFocus();
        QCOMPARE(FTable->Value("customername").toString(), QStringLiteral("MVZ Ostufer Kiel"));
        QCOMPARE(FTable->State(), TDataTable::TState::Edit);

        comment->setFocus();
        QTest::keyClick(comment, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(comment, QStringLiteral("!"));
        other->setFocus();
        QCOMPARE(FTable->Value("commentfield").toString(), QStringLiteral("zweite!"));

        // A check box and a date edit write at once.
        QTest::mouseClick(active, Qt::LeftButton, {}, QPoint(6, active->height() / 2));
        QCOMPARE(FTable->Value("active").toBool(), true);
        changed->setDateTime(QDateTime(QDate(2026, 3, 4), QTime(9, 30)));
        QCOMPARE(FTable->Value("changed").toDateTime().date(), QDate(2026, 3, 4));

        FTable->Cancel();
        QCOMPARE(name->text(), QStringLiteral("MVZ Ostufer"));
        QVERIFY(!active->isChecked());
    }

    void lookupWritesTheChosenId()
    {
        auto* type = add<QComboBox>();
        BindLookupCombo(FSource.get(), "customertype_id", type, FTypeSource.get(), "name");
        FSource->SetDataSet(FTable.get());
        QCOMPARE(type->count(), 0);
        FTypeSource->SetDataSet(FTypes.get());
        QCOMPARE(type->count(), 3);
        QCOMPARE(type->currentText(), QStringLiteral("Zahnarztpraxis"));

        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Up); // the user picks the row above
        QCOMPARE(FTable->Value("customertype_id").toInt(), 1);
        FTable->Post();
        FTable->Next();
        QCOMPARE(type->currentText(), QStringLiteral("MVZ"));
    }

    void navigatorActsAndAsksBeforeDeleting()
    {
        TNavigator navigator;
        navigator.SetDataSource(FSource.get());
        QVERIFY(!navigator.Button(TNavigator::Next)->isEnabled());
        FSource->SetDataSet(FTable.get());
        navigator.show();
        QVERIFY(QTest::qWaitForWindowExposed(&navigator));
        QVERIFY(!navigator.Button(TNavigator::Prior)->isEnabled());
        QVERIFY(navigator.Button(TNavigator::Next)->isEnabled());
        QVERIFY(!navigator.Button(TNavigator::Post)->isEnabled());

        QTest::mouseClick(navigator.Button(TNavigator::Next), Qt::LeftButton);
        QCOMPARE(FTable->RecNo(), 1);
        QTest::mouseClick(navigator.Button(TNavigator::Insert), Qt::LeftButton);
        QCOMPARE(FTable->State(), TDataTable::TState::Insert);
        QVERIFY(navigator.Button(TNavigator::Post)->isEnabled());
        QTest::mouseClick(navigator.Button(TNavigator::Cancel), Qt::LeftButton);
        QCOMPARE(FTable->RecordCount(), 2);

        {
            TMessageBoxCatcher catcher(QMessageBox::No);
            QTest::mouseClick(navigator.Button(TNavigator::Delete), Qt::LeftButton);
            QVERIFY(catcher.Caught());
            QCOMPARE(catcher.Text(), QStringLiteral("Datensatz löschen?"));
            QCOMPARE(FTable->RecordCount(), 2);
        }
        {
            TMessageBoxCatcher catcher(QMessageBox::Yes);
            QTest::mouseClick(navigator.Button(TNavigator::Delete), Qt::LeftButton);
            QVERIFY(catcher.Caught());
            QCOMPARE(FTable->RecordCount(), 1);
        }

        navigator.SetVisibleButtons(TNavigator::Prior | TNavigator::Next | TNavigator::Post |
                                    TNavigator::Cancel);
        QVERIFY(navigator.Button(TNavigator::Next)->isVisible());
        QVERIFY(!navigator.Button(TNavigator::Insert)->isVisible());
        QVERIFY(!navigator.Button(TNavigator::Delete)->isVisible());
        QVERIFY(!navigator.Button(TNavigator::Refresh)->isVisible());
    }

    void itemButtonsReportTheirItem()
    {
        TListView list;
        list.SetListItems(
            {{"ZQPraxisSetup.exe", "5.2.0"}, {"ZQLaborClient.zip", "2.0.3"}, {"Handbuch.pdf", ""}});
        list.SetItemButton(QStringLiteral("Entfernen"));
        QList<int> pressed;
        list.OnItemButton = [&](int AIndex) {
            pressed << AIndex;
        };
        QList<int> chosen;
        list.OnItemChosen = [&](int AIndex) {
            chosen << AIndex;
        };
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.SearchBox()->setText(QStringLiteral("labor"));
        const QRect item = list.View()->visualRect(list.View()->model()->index(0, 0));
        QTest::mouseClick(list.View()->viewport(), Qt::LeftButton, {},
                          TListView::ItemButtonRect(item).center());
        QCOMPARE(pressed, QList<int>{1});
        QVERIFY(chosen.isEmpty());
        QTest::mouseClick(list.View()->viewport(), Qt::LeftButton, {}, item.topLeft() + QPoint(10, 5));
        QCOMPARE(chosen, QList<int>{1});
    }
};

ZQ_GUI_TEST_MAIN(TestControlBindings)
#include "tst_controlbindings.moc"
