// Assistive tools find a control by its role and its accessible name within a window. Captions
// repeat on many screens ("2", "ПРОДОЛЖИТЬ", "Ни кого"), so every button and every grid of every
// screen must have a name of its own there.

#include "app/Screen.h"
#include "support/Controls.h"
#include "support/TestRun.h"
#include "widgets/ButtonCellGrid.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMap>

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// "name" (objectName, objectName) for every name given to more than one control, and
// "(objectName) has no name" for a control without one.
template <typename Control> QStringList namingFaults(Screen* screen)
{
    QMap<QString, QStringList> holders;
    for (Control* control : screen->findChildren<Control*>())
        holders[accessibleName(control)].append(control->objectName());
    QStringList faults;
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
        if (it.key().trimmed().isEmpty())
            faults << QStringLiteral("(%1) have no name").arg(it.value().join(u", "));
        else if (it.value().size() > 1)
            faults << QStringLiteral("\"%1\" (%2)").arg(it.key(), it.value().join(u", "));
    }
    return faults;
}

} // namespace

class TestAccessibleNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlOfAScreenHasANameOfItsOwn()
    {
        TestRun test;
        SurveyRun& run = test.start();
        QVERIFY(run.screens().size() == 13);
        QStringList faults;
        int buttons = 0;
        for (Screen* screen : run.screens()) {
            buttons += int(screen->findChildren<QAbstractButton*>().size());
            for (const QString& fault :
                 namingFaults<QAbstractButton>(screen) + namingFaults<ButtonCellGrid>(screen))
                faults << screen->objectName() + QStringLiteral(": ") + fault;
        }
        QVERIFY(buttons > 300); // the walk reached the scale screens' buttons
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The four question panels of the classmate screen, as a screen reader announces them.
    void theClassmateQuestionsAreToldApart()
    {
        TestRun test;
        test.start();
        Screen* screen = test.screen("Form_Psychology1");
        QCOMPARE(accessibleName(NEED(QAbstractButton, screen, "AdvGlowButton3")),
                 QStringLiteral("Вопрос 3: Ни кого"));
        QCOMPARE(accessibleName(NEED(QAbstractButton, screen, "AdvGlassButton4")),
                 QStringLiteral("Вопрос 4: Продолжить"));
        QCOMPARE(accessibleName(NEED(ButtonCellGrid, screen, "AdvStringGrid1")),
                 QStringLiteral("Вопрос 1: С кем бы Вы хотели сидеть за одной партой?"));
        QCOMPARE(
            accessibleName(NEED(ButtonCellGrid, test.screen("Form_FamFile"), "AdvStringGrid1")),
            QStringLiteral("Список класса"));
    }
};

SURVEY_TEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
