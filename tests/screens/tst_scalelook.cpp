// How the five scale screens look: the window, the banner, three columns whose rows line up,
// every text whole in its place, nothing moving as rows appear. Screenshots of each screen with
// all rows of class 8 and with the rows of class 5 are saved as PNG files (to
// $SURVEY_SCREENSHOT_DIR, by default the temporary folder) to be looked at.

#include "ScaleFixture.h"
#include "app/Look.h"
#include "support/Screenshots.h"

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>

using namespace scale;

namespace {

// The width a text needs in the widget's font.
int textWidth(const QWidget* widget, const QString& text)
{
    return QFontMetrics(widget->font()).horizontalAdvance(text);
}

QRect inWindow(const QWidget* widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
}

void answerAllRows(ScaleScreen* s)
{
    for (int r = 0; r < rowCount(s) && rowOffered(s, r); ++r)
        controls::press(button(s, r, (r * 3) % stepCount(s)), __FILE__, __LINE__);
}

QColor background(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

} // namespace

class TestScaleLook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("banner"); // objectName, then text, for each line
        QTest::addColumn<QColor>("bannerColour");
        QTest::newRow("grades")
            << "Form1_Ball"
            << "Оценка за четверть (полугодие, триместр)" << QSize(1024, 738)
            << QStringList{"Label1",
                           "Введите свою оценку за последнюю четверть",
                           "Label22",
                           "Вы можете ее уточнить, используя  ' - '  или  ' + '    ЭТО ВАЖНО!",
                           "Label23",
                           "Если оценка неизвестна - просьба объективно оценить ее самостоятельно"}
            << QColor(26, 33, 40);
        QTest::newRow("homework")
            << "Form2_House"
            << "Домашняя загруженность" << QSize(1024, 738)
            << QStringList{"Label1", "Сколько минут в среднем вы затрачиваете на подготовку "
                                     "домашнего задания к предмету?"}
            << QColor(31, 39, 48);
        QTest::newRow("distraction")
            << "Form3_Eff"
            << "Время" << QSize(1024, 738)
            << QStringList{"Label1", "Сколько минут в среднем вы отвлекаетесь на уроке?"}
            << QColor(31, 39, 48);
        QTest::newRow("interest")
            << "Form4_Intrest"
            << "Отношение к предмету" << QSize(1022, 738)
            << QStringList{"Label1", "Ваш интерес к предмету по следующей шкале:\n0 - совершенно "
                                     "не интересно... 9 -  очень интересно. Может быть любое "
                                     "значение от 0 до 9."}
            << QColor(31, 39, 48);
        QTest::newRow("extra areas")
            << "Form_Dop"
            << "Form_Dop" << QSize(1022, 738)
            << QStringList{"Label1", "Насколько Вы интересуетесь следующими дисциплинами:\n0 - "
                                     "совершенно не интересно... 9 -  очень интересно. Может "
                                     "быть любое значение от 0 до 9."}
            << QColor(31, 39, 48);
    }
    void window()
    {
        QFETCH(QString, instance);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QStringList, banner);
        QFETCH(QColor, bannerColour);
        TestRun test;
        SurveyRun& run = test.start();
        ScaleScreen* s = screen(test, instance);
        run.showScreen(s);
        QCOMPARE(s->windowTitle(), caption);
        QCOMPARE(s->size(), size);
        QCOMPARE(background(s), QColor(Qt::black));
        QCOMPARE(background(NEED(QWidget, s, "Panel1")), bannerColour);
        for (qsizetype i = 0; i + 1 < banner.size(); i += 2) {
            auto* line = NEED_NAMED(QLabel, s, banner[i]);
            QCOMPARE(line->text(), banner[i + 1]);
            QVERIFY(controls::seen(line));
            for (const QString& part : line->text().split(QLatin1Char('\n')))
                QVERIFY2(textWidth(line, part) <= line->width(), qPrintable(part));
        }
        QCOMPARE(background(NEED_NAMED(QWidget, s, name(s->table().captions.panel))),
                 QColor(43, 55, 66));
        QCOMPARE(background(NEED_NAMED(QWidget, s, name(s->table().buttons.panel))),
                 QColor(31, 39, 48));
        QCOMPARE(background(NEED_NAMED(QWidget, s, name(s->table().values.panel))),
                 QColor(43, 55, 66));
    }

    // The three columns side by side with equal tops and heights; in every row the caption,
    // the buttons and the value share one centre line; every text fits; the columns end above
    // the bottom strip; and the rows answered first stay where they were as the others appear.
    void rowsLineUpAndNothingIsCutOff_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("classNumber");
        for (const char* instance : Screens)
            for (const char* classNumber : {"8", "5"})
                QTest::addRow("%s class %s", instance, classNumber)
                    << QString::fromLatin1(instance) << QString::fromLatin1(classNumber);
    }
    void rowsLineUpAndNothingIsCutOff()
    {
        QFETCH(QString, instance);
        QFETCH(QString, classNumber);
        TestRun test;
        SurveyRun& run = test.start();
        run.state.ClassNumber = classNumber;
        ScaleScreen* s = screen(test, instance);
        run.showScreen(s);
        const QRect firstButtonBefore = inWindow(button(s, 0, 0));
        const QRect firstCaptionBefore = inWindow(caption(s, 0));
        answerAllRows(s);
        QVERIFY(controls::seen(continueButton(s)));
        QCOMPARE(inWindow(button(s, 0, 0)), firstButtonBefore);
        QCOMPARE(inWindow(caption(s, 0)), firstCaptionBefore);

        const ScaleTable& t = s->table();
        const QRect names = inWindow(NEED_NAMED(QWidget, s, name(t.captions.panel)));
        const QRect buttons = inWindow(NEED_NAMED(QWidget, s, name(t.buttons.panel)));
        const QRect values = inWindow(NEED_NAMED(QWidget, s, name(t.values.panel)));
        QVERIFY(names.top() == buttons.top() && buttons.top() == values.top());
        QVERIFY(names.height() == buttons.height() && buttons.height() == values.height());
        QVERIFY(names.right() < buttons.left() && buttons.right() < values.left());
        QVERIFY(names.left() >= 0);
        const auto* bar = NEED(QWidget, s, "AdvProgressBar1");
        QVERIFY(values.right() < (controls::seen(bar) ? inWindow(bar).left() : s->width()));
        QVERIFY(inWindow(NEED(QWidget, s, "Panel1")).bottom() < names.top());
        QVERIFY(names.bottom() < inWindow(continueButton(s)).top());
        QVERIFY(names.bottom() < inWindow(NEED(QLineEdit, s, "Edit1")).top());

        for (int r = 0; r < rowCount(s); ++r) {
            if (!rowOffered(s, r))
                continue;
            QLabel* name = caption(s, r);
            QLabel* shown = value(s, r);
            QVERIFY(controls::seen(shown));
            const int centre = inWindow(name).center().y();
            QVERIFY2(names.contains(inWindow(name)), qPrintable(name->text()));
            QVERIFY2(textWidth(name, name->text()) <= name->width() - 4, qPrintable(name->text()));
            QVERIFY2(QFontMetrics(name->font()).height() <= name->height(),
                     qPrintable(name->text()));
            QVERIFY(values.contains(inWindow(shown)));
            QVERIFY(qAbs(inWindow(shown).center().y() - centre) <= 1);
            QVERIFY2(textWidth(shown, shown->text()) <= shown->width() - 4,
                     qPrintable(shown->text()));
            int previousRight = -1;
            for (int step = 0; step < stepCount(s); ++step) {
                QPushButton* b = button(s, r, step);
                const QRect area = inWindow(b);
                QVERIFY(buttons.contains(area));
                QVERIFY(qAbs(area.center().y() - centre) <= 1);
                QVERIFY2(area.left() > previousRight, qPrintable(b->objectName()));
                previousRight = area.right();
                QVERIFY2(textWidth(b, b->text()) <= b->width() - 4, qPrintable(b->text()));
                QVERIFY2(QFontMetrics(b->font()).height() <= b->height() - 4,
                         qPrintable(b->objectName()));
            }
            if (r > 0)
                QVERIFY(centre > inWindow(caption(s, r - 1)).center().y() + 40);
        }

        const QImage image = s->grab().toImage();
        QCOMPARE(image.size(), s->size());
        const QString path =
            screenshotPath(QStringLiteral("scale_%1_class%2.png").arg(instance, classNumber));
        QVERIFY2(image.save(path), qPrintable(path));
    }

    void gradesScreenWithItsHintBar()
    {
        TestRun test;
        SurveyRun& run = test.start();
        run.state.ClassNumber = QStringLiteral("7");
        ScaleScreen* s = screen(test, QStringLiteral("Form1_Ball"));
        run.showScreen(s);
        controls::press(button(s, 0, 5), __FILE__, __LINE__);
        movePointer(button(s, 0, 4), QPoint(8, 8));
        auto* hint = NEED(QLabel, s, "Panel5");
        QVERIFY(controls::seen(hint));
        QVERIFY(textWidth(hint, hint->text()) < hint->width());
        QCOMPARE(inWindow(hint), QRect(0, 91, 1024, 31));
        QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        const QImage image = s->grab().toImage();
        QVERIFY(image.save(screenshotPath(QStringLiteral("scale_Form1_Ball_hint.png"))));
    }
};

SURVEY_TEST_MAIN(TestScaleLook)
#include "tst_scalelook.moc"
