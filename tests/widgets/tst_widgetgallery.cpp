// All drawn widgets together on a dark screen, as the survey's screens use them. The picture is
// saved as a PNG (to $SURVEY_GALLERY_PNG, by default widgets_gallery.png in the temporary folder)
// for a person to look at; the test checks what a person would notice first: glyphs missing from
// the fonts.
#include "widgets/ButtonCellGrid.h"
#include "widgets/GlassButton.h"
#include "widgets/GlowButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/SegmentedVerticalBar.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFontInfo>
#include <QImage>
#include <QTest>

namespace {

const QStringList Surnames = {
    QStringLiteral("Алексеева"), QStringLiteral("Андреев"),  QStringLiteral("Белоусова"),
    QStringLiteral("Васильев"),  QStringLiteral("Волкова"),  QStringLiteral("Григорьев"),
    QStringLiteral("Дмитриева"), QStringLiteral("Егоров"),   QStringLiteral("Жукова"),
    QStringLiteral("Зайцев"),    QStringLiteral("Иванова"),  QStringLiteral("Козлов"),
    QStringLiteral("Лебедева"),  QStringLiteral("Морозов"),  QStringLiteral("Новикова"),
    QStringLiteral("Орлов"),     QStringLiteral("Павлова"),  QStringLiteral("Рябов"),
    QStringLiteral("Семёнова"),  QStringLiteral("Тихонов"),  QStringLiteral("Фёдорова"),
    QStringLiteral("Хохлов"),    QStringLiteral("Цветкова"), QStringLiteral("Чернышёв"),
    QStringLiteral("Щербакова"), QStringLiteral("Юдин"),     QStringLiteral("Яковлева"),
};

QFont font(const char* family, int pixels, bool bold = true)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void setTextColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(role, color);
    widget->setPalette(pal);
}

void pretendHovered(QWidget* widget)
{
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent enter(centre, centre, widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &enter);
}

ButtonCellGrid* rosterGrid(QWidget* parent, int x, int width, int rows)
{
    auto* grid = new ButtonCellGrid(parent);
    grid->setFont(font("Tahoma", 13));
    grid->setColumnCount(2);
    grid->setRowCount(rows);
    grid->setColumnWidth(0, 150);
    grid->setColumnWidth(1, 13);
    grid->setDefaultRowHeight(20);
    for (int row = 0; row < rows; ++row)
        grid->setCell(0, row,
                      Surnames.value(row % Surnames.size()).leftJustified(12, QLatin1Char(' ')));
    grid->setFixedColumns(1);
    grid->setGeometry(x, 70, width, 665);
    return grid;
}

// Builds the gallery on a 1024 by 760 window.
void buildGallery(GradientPanel& shader)
{
    shader.setColors(QColor(24, 44, 64), QColor(4, 8, 14));
    shader.resize(1024, 760);

    auto* title = new ShadowLabel(QStringLiteral("ОБРАЗОВАТЕЛЬНАЯ  БАЗА ДАННЫХ "), &shader);
    title->setFont(font("Arial", 26));
    setTextColor(title, QPalette::WindowText, Qt::white);
    title->setGeometry(20, 14, 560, 40);

    auto* prompt = new ShadowLabel(
        QStringLiteral("   Выделите свою фамилию в таблице, отметив свое участие в исследованиях."),
        &shader);
    prompt->setFont(font("Arial", 19));
    prompt->setWordWrap(true);
    setTextColor(prompt, QPalette::WindowText, Qt::white);
    prompt->setGeometry(20, 70, 420, 70);

    auto* done = new ShadowLabel(QStringLiteral("Вы успешно прошли тестирование"), &shader);
    done->setFont(font("Arial", 22));
    done->setShadowColor(QColor(0, 0, 0, 255));
    done->setShadowBlur(6);
    setTextColor(done, QPalette::WindowText, QColor(255, 255, 120));
    done->setGeometry(20, 150, 420, 40);

    // Glass buttons: resting, hovered, pressed, red shine, maroon, disabled.
    auto* next = new GlassButton(QStringLiteral("ПРОДОЛЖИТЬ"), &shader);
    next->setFont(font("Arial", 16));
    next->setGeometry(20, 210, 196, 31);
    auto* nextHover = new GlassButton(QStringLiteral("ПРОДОЛЖИТЬ"), &shader);
    nextHover->setFont(font("Arial", 16));
    nextHover->setGeometry(236, 210, 196, 31);
    pretendHovered(nextHover);
    auto* nextDown = new GlassButton(QStringLiteral("ПРОДОЛЖИТЬ"), &shader);
    nextDown->setFont(font("Arial", 16));
    nextDown->setGeometry(20, 256, 196, 31);
    nextDown->setDown(true);
    auto* maroon = new GlassButton(QStringLiteral("Продолжить"), &shader);
    maroon->setFont(font("Tahoma", 13));
    maroon->setBodyColor(QColor(128, 0, 0));
    maroon->setShineColor(QColor(255, 160, 120));
    maroon->setGeometry(236, 256, 150, 31);

    auto* exitOn = new GlassButton(QStringLiteral("Нажмите для выхода"), &shader);
    exitOn->setFont(font("Arial", 19));
    exitOn->setShineColor(QColor(255, 0, 0));
    exitOn->setGeometry(20, 304, 289, 54);
    auto* exitOff = new GlassButton(QStringLiteral("Нажмите для выхода"), &shader);
    exitOff->setFont(font("Arial", 19));
    exitOff->setEnabled(false);
    exitOff->setGeometry(20, 372, 289, 54);

    // Glow buttons, resting and hovered, on the classmate screen's panel colour.
    auto* panel = new GradientPanel(&shader);
    panel->setColors(QColor(30, 39, 45), QColor(30, 39, 45));
    panel->setGeometry(20, 446, 420, 60);
    auto* nobody = new GlowButton(QStringLiteral("Ни с кем"), panel);
    nobody->setFont(font("Tahoma", 16));
    setTextColor(nobody, QPalette::ButtonText, QColor(255, 40, 40));
    nobody->setGeometry(20, 18, 150, 23);
    auto* nobodyHover = new GlowButton(QStringLiteral("Ни кого"), panel);
    nobodyHover->setFont(font("Tahoma", 16));
    setTextColor(nobodyHover, QPalette::ButtonText, QColor(255, 40, 40));
    nobodyHover->setGeometry(220, 18, 150, 23);
    pretendHovered(nobodyHover);

    // A horizontal gradient band, as across the top of the class screen.
    auto* band = new GradientPanel(&shader);
    band->setOrientation(Qt::Horizontal);
    band->setColors(QColor(0, 90, 110), QColor(10, 20, 40));
    band->setGeometry(20, 526, 420, 40);
    auto* bandText = new ShadowLabel(QStringLiteral("Время теста  02:15"), band);
    bandText->setFont(font("Arial", 16));
    setTextColor(bandText, QPalette::WindowText, Qt::white);
    bandText->setGeometry(12, 6, 300, 28);

    // Countdown bars at several levels.
    const int levels[] = {100, 70, 42, 25, 12, 2};
    for (int i = 0; i < 6; ++i) {
        auto* bar = new SegmentedVerticalBar(&shader);
        bar->setGeometry(20 + i * 30, 586, 14, 160);
        bar->setPosition(levels[i]);
    }
    auto* tall = new SegmentedVerticalBar(&shader);
    tall->setGeometry(1024 - 14, 0, 14, 760);
    tall->setPosition(100);

    // Roster grids: as loaded, with marks after some clicks, and one with more rows than fit.
    rosterGrid(&shader, 470, 154, 27);
    ButtonCellGrid* marked = rosterGrid(&shader, 640, 167, 27);
    marked->setCell(1, 2, QStringLiteral("1"));
    marked->setCell(1, 7, QStringLiteral("2"));
    marked->setCell(1, 11, QStringLiteral("3"));
    rosterGrid(&shader, 820, 154, 40)->scrollToRow(39);
}

} // namespace

class TestWidgetGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
    }

    void theScreenFontsHaveEveryCyrillicLetter_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("Arial") << QStringLiteral("Arial");
        QTest::newRow("Tahoma") << QStringLiteral("Tahoma");
    }
    void theScreenFontsHaveEveryCyrillicLetter()
    {
        QFETCH(QString, family);
        QFont f(family);
        f.setPixelSize(16);
        f.setBold(true);
        // A monospace fallback would also have the letters, but look wrong on every screen.
        QVERIFY2(!QFontInfo(f).fixedPitch(), qPrintable(QFontInfo(f).family()));
        const QFontMetrics metrics(f);
        for (char32_t c = U'А'; c <= U'я'; ++c)
            QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString::number(uint(c), 16)));
        QVERIFY(metrics.inFontUcs4(U'Ё') && metrics.inFontUcs4(U'ё') && metrics.inFontUcs4(U'№'));
    }

    void galleryIsSaved()
    {
        GradientPanel shader;
        buildGallery(shader);
        shader.show();
        // One name held down and another under the pointer, to show those looks too.
        auto* grid = shader.findChild<ButtonCellGrid*>();
        QVERIFY(grid);
        QTest::mouseMove(grid, grid->cellRect(0, 6).center());
        QTest::mousePress(grid, Qt::LeftButton, {}, grid->cellRect(0, 4).center());
        const QImage image = shader.grab().toImage();
        QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->cellRect(0, 4).center());
        QCOMPARE(image.size(), QSize(1024, 760));
        const QString path = qEnvironmentVariableIsSet("SURVEY_GALLERY_PNG")
                                 ? qEnvironmentVariable("SURVEY_GALLERY_PNG")
                                 : QDir::tempPath() + QStringLiteral("/widgets_gallery.png");
        QVERIFY2(image.save(path), qPrintable(path));
        QCOMPARE(QImage(path).size(), image.size());
    }
};

QTEST_MAIN(TestWidgetGallery)
#include "tst_widgetgallery.moc"
