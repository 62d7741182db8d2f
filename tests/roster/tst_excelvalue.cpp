#include "storage/ExcelAutomationError.h"
#include "storage/ExcelValue.h"

#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(ExcelValue)

class TestExcelValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toText_data()
    {
        QTest::addColumn<ExcelValue>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale ru(QLocale::Russian, QLocale::Russia);
        const QLocale c = QLocale::c();
        const QLocale de(QLocale::German, QLocale::Germany);

        QTest::newRow("empty") << ExcelValue() << ru << "";
        QTest::newRow("text") << ExcelValue::fromText("Фёдоров") << ru << "Фёдоров";
        QTest::newRow("text keeps blanks") << ExcelValue::fromText(" Ли ") << ru << " Ли ";
        QTest::newRow("integer") << ExcelValue::fromInteger(25) << ru << "25";
        QTest::newRow("negative integer") << ExcelValue::fromInteger(-3) << ru << "-3";
        QTest::newRow("whole double") << ExcelValue::fromDouble(25.0) << ru << "25";
        QTest::newRow("whole double beyond int")
            << ExcelValue::fromDouble(3e9) << c << "3000000000";
        QTest::newRow("minus zero") << ExcelValue::fromDouble(-0.0) << ru << "0";
        QTest::newRow("fraction ru") << ExcelValue::fromDouble(3.5) << ru << "3,5";
        QTest::newRow("fraction c") << ExcelValue::fromDouble(3.5) << c << "3.5";
        QTest::newRow("fraction de") << ExcelValue::fromDouble(-7.25) << de << "-7,25";
        QTest::newRow("shortest form") << ExcelValue::fromDouble(0.1) << ru << "0,1";
        QTest::newRow("no group separator")
            << ExcelValue::fromDouble(1234567.5) << ru << "1234567,5";
        QTest::newRow("third") << ExcelValue::fromDouble(1.0 / 3) << c << "0.3333333333333333";
        QTest::newRow("huge whole double") << ExcelValue::fromDouble(1e20) << c << "1e+20";
        QTest::newRow("date") << ExcelValue::fromDate("2024-09-01") << ru << "2024-09-01";
        QTest::newRow("true ru") << ExcelValue::fromBoolean(true) << ru << "ИСТИНА";
        QTest::newRow("false ru") << ExcelValue::fromBoolean(false) << ru << "ЛОЖЬ";
        QTest::newRow("true c") << ExcelValue::fromBoolean(true) << c << "TRUE";
        QTest::newRow("n/a ru") << ExcelValue::fromError(0x2A) << ru << "#Н/Д";
        QTest::newRow("div0 ru") << ExcelValue::fromError(0x07) << ru << "#ДЕЛ/0!";
        QTest::newRow("ref c") << ExcelValue::fromError(0x17) << c << "#REF!";
        QTest::newRow("unknown error") << ExcelValue::fromError(0x99) << c << "#N/A";
    }
    void toText()
    {
        QFETCH(ExcelValue, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(value.toText(locale), text);
    }

    void notFiniteNumbersStillGiveText()
    {
        const QLocale c = QLocale::c();
        QVERIFY(
            !ExcelValue::fromDouble(std::numeric_limits<double>::quiet_NaN()).toText(c).isEmpty());
        QVERIFY(
            !ExcelValue::fromDouble(std::numeric_limits<double>::infinity()).toText(c).isEmpty());
    }

    void onlyEmptyValuesEqualTheEmptyText()
    {
        QVERIFY(ExcelValue().isEmptyText());
        QVERIFY(ExcelValue::fromText(QString()).isEmptyText());
        QVERIFY(!ExcelValue::fromText(" ").isEmptyText());
        QVERIFY(!ExcelValue::fromInteger(0).isEmptyText());
        QVERIFY(!ExcelValue::fromDouble(0).isEmptyText());
        QVERIFY(!ExcelValue::fromBoolean(false).isEmptyText());
        QVERIFY(!ExcelValue::fromError(0x00).isEmptyText());
        QVERIFY(!ExcelValue::fromDate("2024-09-01").isEmptyText());
    }

    void arrayIsIndexedFromOneRowThenColumn()
    {
        ExcelValueArray values(3, 2);
        values.set(1, 1, ExcelValue::fromText("A1"));
        values.set(3, 2, ExcelValue::fromText("B3"));
        QCOMPARE(values.rowCount(), 3);
        QCOMPARE(values.columnCount(), 2);
        QCOMPARE(values(1, 1).text(), QString("A1"));
        QCOMPARE(values(3, 2).text(), QString("B3"));
        QCOMPARE(values(2, 1).type(), ExcelValue::Type::Empty);
    }

    void arrayRefusesElementsOutside_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row 0") << 0 << 1;
        QTest::newRow("column 0") << 1 << 0;
        QTest::newRow("row past end") << 4 << 1;
        QTest::newRow("column past end") << 1 << 3;
        QTest::newRow("negative") << -1 << -1;
    }
    void arrayRefusesElementsOutside()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        ExcelValueArray values(3, 2);
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, values(row, column));
        QVERIFY_THROWS_EXCEPTION(ExcelAutomationError, values.set(row, column, ExcelValue()));
    }
};

QTEST_GUILESS_MAIN(TestExcelValue)
#include "tst_excelvalue.moc"
