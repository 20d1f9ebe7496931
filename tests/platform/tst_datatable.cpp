#include "platform/data/DataTable.h"
#include "platform/data/DataTableModel.h"
#include "util/ZQError.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

namespace {

TDataSetRows customers()
{
    TDataSetRows rows;
    rows.fields = {{"id", TFieldType::Integer, true}, {"name", TFieldType::Text, false, true},
                   {"city", TFieldType::Text},        {"active", TFieldType::Boolean},
                   {"changed", TFieldType::DateTime}, {"typename", TFieldType::Text, false, false, true}};
    const auto at = [](int ADay) {
        return QDateTime(QDate(2026, 1, ADay), QTime(12, 0));
    };
    rows.rows = {{1, "Berger", "Berlin", true, at(3), "Praxis"},
                 {2, "adler", "berlin", false, at(1), "Klinik"},
                 {3, "Zander", "Hamburg", true, at(2), QVariant()},
                 {4, "Adler", "Berlin", true, QVariant(), "Praxis"}};
    return rows;
}

// A table defined like the data module's, loaded with the rows above.
std::unique_ptr<TDataTable> loadedTable()
{
    auto table = std::make_unique<TDataTable>(QStringLiteral("mtCustomer"));
    for (const TFieldDef& field : customers().fields)
        table->AddField(field);
    table->AppendRows(customers());
    return table;
}

QList<int> visibleIds(TDataTable& ATable)
{
    QList<int> ids;
    for (int row = 0; row < ATable.RecordCount(); ++row)
        ids << ATable.ValueAt(row, ATable.FieldIndex("id")).toInt();
    return ids;
}

} // namespace

// The in-memory table: loading, order, filters, editing with its change log, hooks and view signals.
class TestDataTable : public QObject
{
    Q_OBJECT

private slots:
    void loadOpensOnTheFirstRowWithoutChanges()
    {
        auto table = loadedTable();
        QVERIFY(table->Active());
        QCOMPARE(table->RecordCount(), 4);
        QCOMPARE(table->RecNo(), 0);
        QCOMPARE(table->Value("NAME").toString(), QStringLiteral("Berger")); // names ignore case
        QCOMPARE(table->Value("active").typeId(), QMetaType::Bool);
        QVERIFY(table->ChangeLog().isEmpty());
        table->Close();
        QVERIFY(!table->Active());
        QCOMPARE(table->RecordCount(), 0);
    }

    void sortOrders_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("none keeps the answer's order") << "" << QList<int>{1, 2, 3, 4};
        QTest::newRow("text, case-sensitive, stable") << "name" << QList<int>{4, 1, 3, 2};
        QTest::newRow("descending date, null last") << "changed:D" << QList<int>{1, 3, 2, 4};
        QTest::newRow("two columns") << "city;id:D" << QList<int>{4, 1, 3, 2};
        QTest::newRow("boolean") << "active" << QList<int>{2, 1, 3, 4};
        QTest::newRow("unknown column is ignored") << "nosuchcolumn;id:D" << QList<int>{4, 3, 2, 1};
    }

    void sortOrders()
    {
        QFETCH(QString, order);
        QFETCH(QList<int>, ids);
        auto table = loadedTable();
        table->SetIndexFieldNames(order);
        QCOMPARE(visibleIds(*table), ids);
    }

    void filters()
    {
        auto table = loadedTable();
        table->SetFilter(QStringLiteral("city=Berlin"));
        QCOMPARE(visibleIds(*table), (QList<int>{1, 2, 3, 4})); // not filtered yet
        table->SetFiltered(true);
        QCOMPARE(visibleIds(*table), (QList<int>{1, 4}));
        table->SetFilterCaseInsensitive(true);
        table->SetFilter(QStringLiteral(" city = 'BERLIN' "));
        QCOMPARE(visibleIds(*table), (QList<int>{1, 2, 4}));
        table->SetOnFilterRecord([](const TDataRecord& ARecord) { return ARecord.Value("active").toBool(); });
        QCOMPARE(visibleIds(*table), (QList<int>{1, 4}));
        table->SetFilter(QStringLiteral("id=4"));
        QCOMPARE(visibleIds(*table), (QList<int>{4}));
        table->SetFiltered(false);
        QCOMPARE(visibleIds(*table), (QList<int>{1, 2, 3, 4}));
        QVERIFY_THROWS_EXCEPTION(EZQError, table->SetFilter(QStringLiteral("city Berlin")));
    }

    void editingRecordsOnlyChangedColumns()
    {
        auto table = loadedTable();
        table->MoveTo(1);
        table->SetValue("city", "Bonn");
        table->SetValue("typename", "changed but joined");
        QCOMPARE(table->State(), TDataTable::TState::Edit);
        table->Post();
        QCOMPARE(table->State(), TDataTable::TState::Browse);
        QCOMPARE(table->Value("city").toString(), QStringLiteral("Bonn"));

        const TChangeLog log = table->ChangeLog();
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].kind, TDelta::TKind::Modify);
        QCOMPARE(log[0].key, QVariant(2));
        QCOMPARE(log[0].values, (QMap<QString, QVariant>{{"city", "Bonn"}}));
        QCOMPARE(log[0].originals, (QMap<QString, QVariant>{{"city", "berlin"}}));

        table->SetValue("city", "berlin"); // back to the loaded value: nothing left to send
        table->Post();
        QVERIFY(table->ChangeLog().isEmpty());
    }

    void insertsAndDeletesInOrder()
    {
        auto table = loadedTable();
        table->Delete(); // row 1
        table->Append();
        table->SetValue("name", "Neu");
        table->Post();
        QCOMPARE(table->Value("name").toString(), QStringLiteral("Neu"));
        QCOMPARE(table->RecNo(), 3);
        table->First();
        table->Insert();
        table->SetValue("name", "Vorne");
        table->MoveTo(2); // moving posts the pending row
        QCOMPARE(table->State(), TDataTable::TState::Browse);
        QCOMPARE(table->ValueAt(0, 1).toString(), QStringLiteral("Vorne"));

        const TChangeLog log = table->ChangeLog();
        QCOMPARE(log.size(), 3);
        QCOMPARE(log[0].kind, TDelta::TKind::Delete);
        QCOMPARE(log[0].key, QVariant(1));
        QCOMPARE(log[1].kind, TDelta::TKind::Insert);
        QCOMPARE(log[1].values, (QMap<QString, QVariant>{{"name", "Neu"}}));
        QCOMPARE(log[2].values, (QMap<QString, QVariant>{{"name", "Vorne"}}));

        table->First();
        table->Delete(); // an inserted row leaves no trace
        QCOMPARE(table->ChangeLog().size(), 2);
    }

    void cancelAndTablesWithoutChangeLog()
    {
        auto table = loadedTable();
        table->SetValue("name", "weg");
        table->Cancel();
        QCOMPARE(table->Value("name").toString(), QStringLiteral("Berger"));
        table->SetCachedUpdates(false);
        table->SetValue("name", "ohne Protokoll");
        table->Post();
        table->Delete();
        QVERIFY(table->ChangeLog().isEmpty());
    }

    void hooksRunAroundPostsDeletesAndMoves()
    {
        auto table = loadedTable();
        QStringList calls;
        table->BeforePost = [&](TDataTable& ATable) {
            calls << "before";
            ATable.SetValue("city", "gestempelt");
        };
        table->AfterPost = [&](TDataTable& ATable) {
            calls << QStringLiteral("after:%1").arg(ATable.Value("city").toString());
            QCOMPARE(ATable.State(), TDataTable::TState::Browse);
        };
        table->AfterDelete = [&](TDataTable&) {
            calls << "deleted";
        };
        table->AfterScroll = [&](TDataTable&) {
            calls << "scrolled";
        };
        table->SetValue("name", "x");
        table->Post();
        table->Next();
        table->Delete();
        QCOMPARE(calls, (QStringList{"before", "after:gestempelt", "scrolled", "deleted"}));
        QCOMPARE(table->ChangeLog()[0].values.value("city"), QVariant("gestempelt"));
    }

    void locateFindsExactValues()
    {
        auto table = loadedTable();
        QVERIFY(table->Locate("id", "3"));
        QCOMPARE(table->Value("name").toString(), QStringLiteral("Zander"));
        QVERIFY(!table->Locate("name", "zander"));
        QCOMPARE(table->RecNo(), 2);
    }

    void columnsChangeAtRunTime()
    {
        auto table = loadedTable();
        table->AddField({"phone", TFieldType::Text});
        QCOMPARE(table->Value("phone"), QVariant());
        table->RemoveField("city");
        QVERIFY(!table->HasField("city"));
        QCOMPARE(table->Value("name").toString(), QStringLiteral("Berger"));
        QVERIFY_THROWS_EXCEPTION(EZQError, table->Value("city"));
    }

    // While the bound controls are disabled, a whole load reaches a view as one reset.
    void disabledControlsSeeOneReset()
    {
        TDataTable table(QStringLiteral("mtCustomer"));
        for (const TFieldDef& field : customers().fields)
            table.AddField(field);
        TDataTableModel model;
        model.SetTable(&table);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        table.DisableControls();
        TDataSetRows many = customers();
        for (int i = 0; i < 500; ++i)
            many.rows.append(many.rows[i % 4]);
        table.AppendRows(many);
        table.SetIndexFieldNames("name");
        table.Last();
        QCOMPARE(resets.count(), 0);
        table.EnableControls();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(model.rowCount(), 504);
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("Adler"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("city"));

        table.First();
        table.SetValue("city", "Köln");
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("Köln"));
    }
};

QTEST_GUILESS_MAIN(TestDataTable)
#include "tst_datatable.moc"
