#include "widgets/ShadowLabel.h"

#include <QImage>
#include <QTest>
#include <functional>

namespace {

const QColor Background(0, 60, 70); // teal, as behind the splash labels

// A label on an opaque teal background, with white bold text.
struct LabelStage
{
    ShadowLabel label{QStringLiteral("Вы успешно прошли тестирование")};

    LabelStage()
    {
        QPalette pal = label.palette();
        pal.setColor(QPalette::Window, Background);
        pal.setColor(QPalette::WindowText, Qt::white);
        label.setPalette(pal);
        label.setAutoFillBackground(true);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(22);
        font.setBold(true);
        label.setFont(font);
        label.resize(420, 40);
    }
    QImage shot() { return label.grab().toImage(); }
};

struct InkCount
{
    int text = 0;   // near the white text colour
    int shadow = 0; // darker than the background
};

InkCount countInk(const QImage& image, int shadowThreshold = 15)
{
    InkCount ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qGray(c.rgb()) > 200)
                ++ink.text;
            else if (c.green() < Background.green() - shadowThreshold &&
                     c.blue() < Background.blue() - shadowThreshold)
                ++ink.shadow;
        }
    return ink;
}

using Change = std::function<void(ShadowLabel&)>;

} // namespace

class TestShadowLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsTheTextOverItsShadow()
    {
        LabelStage stage;
        const InkCount ink = countInk(stage.shot());
        QVERIFY2(ink.text > 200, qPrintable(QString::number(ink.text)));
        QVERIFY2(ink.shadow > 200, qPrintable(QString::number(ink.shadow)));

        stage.label.setShadowColor(Qt::transparent);
        const InkCount plain = countInk(stage.shot());
        QCOMPARE(plain.shadow, 0);
        QVERIFY(plain.text > 200);
    }

    void theShadowFallsAtItsOffset()
    {
        // Sharp shadow, far to the right: the darkened pixels lie right of the rightmost text.
        LabelStage stage;
        stage.label.setText(QStringLiteral("Ж"));
        stage.label.setShadowBlur(0);
        stage.label.setShadowOffset(QPoint(30, 0));
        const QImage image = stage.shot();
        int textRight = -1;
        int shadowLeft = image.width();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (qGray(c.rgb()) > 200)
                    textRight = std::max(textRight, x);
                else if (c.green() < Background.green() - 15)
                    shadowLeft = std::min(shadowLeft, x);
            }
        QVERIFY(textRight > 0);
        QVERIFY2(shadowLeft > textRight,
                 qPrintable(QStringLiteral("%1 %2").arg(shadowLeft).arg(textRight)));
        QVERIFY(shadowLeft < image.width());
    }

    void blurSoftensTheShadow()
    {
        LabelStage stage;
        stage.label.setShadowBlur(0);
        const InkCount sharp = countInk(stage.shot(), 3);
        stage.label.setShadowBlur(8);
        const InkCount soft = countInk(stage.shot(), 3);
        // The blurred shadow spreads over more pixels around the glyphs.
        QVERIFY2(soft.shadow > sharp.shadow,
                 qPrintable(QStringLiteral("%1 %2").arg(soft.shadow).arg(sharp.shadow)));
        stage.label.setShadowBlur(1000);
        QCOMPARE(stage.label.shadowBlur(), 32);
    }

    void wrapsLikeALabel()
    {
        LabelStage stage;
        stage.label.setShadowColor(Qt::transparent);
        stage.label.setText(QStringLiteral("отметив свое участие в исследованиях."));
        stage.label.resize(160, 120);
        stage.label.setWordWrap(true);
        stage.label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QImage image = stage.shot();
        int inkedRows = 0;
        for (int y = 0; y < image.height(); ++y) {
            bool inked = false;
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = qGray(image.pixel(x, y)) > 200;
            inkedRows += inked ? 1 : 0;
        }
        // Three lines of 22-pixel type at least, where one unwrapped line has about 16 rows.
        QVERIFY2(inkedRows > 40, qPrintable(QString::number(inkedRows)));
    }

    void theShadowIsRenderedOnlyWhenItChanges_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("rendersAgain");
        QTest::addColumn<bool>("looksDifferent");
        QTest::newRow("nothing") << Change([](ShadowLabel&) {}) << false << false;
        QTest::newRow("setText") << Change([](ShadowLabel& l) {
            l.setText(QStringLiteral("Другой текст"));
        }) << true << true;
        QTest::newRow("same text")
            << Change([](ShadowLabel& l) { l.setText(l.text()); }) << false << false;
        QTest::newRow("font") << Change([](ShadowLabel& l) {
            QFont f = l.font();
            f.setPixelSize(14);
            l.setFont(f);
        }) << true << true;
        QTest::newRow("resize") << Change([](ShadowLabel& l) { l.resize(300, 60); }) << true
                                << true;
        QTest::newRow("alignment")
            << Change([](ShadowLabel& l) { l.setAlignment(Qt::AlignRight); }) << true << true;
        QTest::newRow("shadow colour")
            << Change([](ShadowLabel& l) { l.setShadowColor(Qt::red); }) << true << true;
        QTest::newRow("blur") << Change([](ShadowLabel& l) { l.setShadowBlur(9); }) << true << true;
        // Moving the cached shadow or recolouring the text needs no new shadow.
        QTest::newRow("offset") << Change([](ShadowLabel& l) {
            l.setShadowOffset({4, 5});
        }) << false << true;
        QTest::newRow("text colour") << Change([](ShadowLabel& l) {
            QPalette pal = l.palette();
            pal.setColor(QPalette::WindowText, Qt::yellow);
            l.setPalette(pal);
        }) << false << true;
    }
    void theShadowIsRenderedOnlyWhenItChanges()
    {
        QFETCH(Change, change);
        QFETCH(bool, rendersAgain);
        QFETCH(bool, looksDifferent);
        LabelStage stage;
        QCOMPARE(stage.label.shadowRenderCount(), 0);
        const QImage first = stage.shot();
        QCOMPARE(stage.label.shadowRenderCount(), 1);
        QCOMPARE(stage.shot(), first); // a repaint reuses the shadow
        QCOMPARE(stage.label.shadowRenderCount(), 1);

        change(stage.label);
        const QImage second = stage.shot();
        QCOMPARE(stage.label.shadowRenderCount(), rendersAgain ? 2 : 1);
        QCOMPARE(second != first, looksDifferent);
    }
};

QTEST_MAIN(TestShadowLabel)
#include "tst_shadowlabel.moc"
