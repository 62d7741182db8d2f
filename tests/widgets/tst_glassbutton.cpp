#include "widgets/GlassButton.h"
#include "widgets/GlowButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

// Button types are the rows of the shared tests.
enum class Kind { Glass, Glow };

// A button on a black window, as on the screens; shot() is what the window shows of it.
class Stage
{
public:
    Stage(QPushButton* button, QSize size) : m_button(button)
    {
        QPalette pal = m_host.palette();
        pal.setColor(QPalette::Window, Qt::black);
        m_host.setPalette(pal);
        m_host.setAutoFillBackground(true);
        m_host.resize(size + QSize(20, 20));
        button->setParent(&m_host);
        button->setGeometry(QRect(QPoint(10, 10), size));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(16);
        font.setBold(true);
        button->setFont(font);
    }
    QImage shot() { return m_host.grab(m_button->geometry()).toImage(); }
    void show() { m_host.show(); }

private:
    QWidget m_host;
    QPushButton* m_button;
};

QPushButton* makeButton(Kind kind)
{
    const QString caption = QStringLiteral("ПРОДОЛЖИТЬ");
    if (kind == Kind::Glass)
        return new GlassButton(caption);
    return new GlowButton(caption);
}

void hover(QWidget* widget, bool inside)
{
    if (inside) {
        const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
        QEnterEvent enter(centre, centre, widget->mapToGlobal(centre));
        QApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }
}

double meanLuminance(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (image.width() * image.height());
}

// The strongest red excess of the pixels: how much redder than green and blue the reddest is.
int maximumRedExcess(const QImage& image)
{
    int best = -255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            best = std::max(best, qRed(p) - std::max(qGreen(p), qBlue(p)));
        }
    return best;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestGlassButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kinds_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("glass") << Kind::Glass;
        QTest::newRow("glow") << Kind::Glow;
    }

    void clickedOnlyWhileEnabled_data() { kinds_data(); }
    void clickedOnlyWhileEnabled()
    {
        QFETCH(Kind, kind);
        QPushButton* button = makeButton(kind);
        Stage stage(button, {196, 31});
        stage.show();
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        button->setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
    }

    void eachStateHasItsOwnLook_data() { kinds_data(); }
    void eachStateHasItsOwnLook()
    {
        QFETCH(Kind, kind);
        QPushButton* button = makeButton(kind);
        Stage stage(button, {196, 31});
        stage.show();
        const QImage normal = stage.shot();
        hover(button, true);
        const QImage hovered = stage.shot();
        button->setDown(true);
        const QImage pressed = stage.shot();
        button->setDown(false);
        hover(button, false);
        QCOMPARE(stage.shot(), normal);
        button->setEnabled(false);
        const QImage disabled = stage.shot();

        QVERIFY(hovered != normal);
        QVERIFY(pressed != hovered);
        QVERIFY(disabled != normal);
        // Disabled is dimmed: less light overall, and the caption is grey, not white.
        QVERIFY(meanLuminance(disabled) < meanLuminance(normal));
        int whitePixels = 0;
        for (int y = 0; y < disabled.height(); ++y)
            for (int x = 0; x < disabled.width(); ++x)
                whitePixels += qGray(disabled.pixel(x, y)) > 200 ? 1 : 0;
        QCOMPARE(whitePixels, 0);
    }

    void captionIsDrawnInThePaletteColour_data() { kinds_data(); }
    void captionIsDrawnInThePaletteColour()
    {
        QFETCH(Kind, kind);
        QPushButton* button = makeButton(kind);
        Stage stage(button, {196, 31});
        QPalette pal = button->palette();
        pal.setColor(QPalette::ButtonText, QColor(255, 0, 0));
        button->setPalette(pal);
        const int red = maximumRedExcess(stage.shot());
        pal.setColor(QPalette::ButtonText, Qt::white);
        button->setPalette(pal);
        QVERIFY2(red > 200, qPrintable(QString::number(red)));
        QVERIFY(maximumRedExcess(stage.shot()) < 60);
    }

    void shineColourRoundTripsAndTintsTheGlass()
    {
        auto* button = new GlassButton(QStringLiteral("Нажмите для выхода"));
        Stage stage(button, {289, 54});
        QCOMPARE(button->shineColor(), GlassButton::defaultShineColor());
        const QImage before = stage.shot();
        QVERIFY(button->setProperty("shineColor", QColor(255, 0, 0)));
        QCOMPARE(button->property("shineColor").value<QColor>(), QColor(255, 0, 0));
        const QImage after = stage.shot();
        QVERIFY(after != before);
        // The glow at the middle of the bottom edge turns red.
        const QColor glow = after.pixelColor(144, 48);
        QVERIFY2(glow.red() > glow.green() + 60 && glow.red() > glow.blue() + 60,
                 qPrintable(glow.name()));
        QVERIFY(maximumRedExcess(before) < 30);
    }

    void bodyColourIsAProperty()
    {
        auto* button = new GlassButton(QStringLiteral("Продолжить"));
        Stage stage(button, {120, 30});
        const QImage before = stage.shot();
        QVERIFY(button->setProperty("bodyColor", QColor(128, 0, 0)));
        QCOMPARE(button->bodyColor(), QColor(128, 0, 0));
        QVERIFY(stage.shot() != before);
    }

    void glowColourRoundTripsAndShowsOnHover()
    {
        auto* button = new GlowButton(QStringLiteral("Ни с кем"));
        Stage stage(button, {150, 23});
        QVERIFY(button->setProperty("glowColor", QColor(0, 255, 0)));
        QCOMPARE(button->property("glowColor").value<QColor>(), QColor(0, 255, 0));
        const QImage resting = stage.shot();
        QVERIFY(!button->isHovered());
        hover(button, true);
        QVERIFY(button->isHovered());
        const QImage glowing = stage.shot();
        const auto greenest = [](const QImage& image) {
            int best = -255;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    best = std::max(best, qGreen(p) - std::max(qRed(p), qBlue(p)));
                }
            return best;
        };
        QVERIFY(greenest(resting) < 30);
        QVERIFY(greenest(glowing) > 100);
        button->setGlowColor(QColor(0, 0, 255));
        QVERIFY(stage.shot() != glowing);
    }
};

QTEST_MAIN(TestGlassButton)
#include "tst_glassbutton.moc"
