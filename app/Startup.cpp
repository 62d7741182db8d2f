#include "app/Startup.h"

#include "app/Look.h"
#include "app/Screen.h"
#include "app/Splash.h"
#include "app/SurveyRun.h"

#include <QApplication>
#include <QElapsedTimer>

void prepareApplication()
{
    // The program ends when it is asked to, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
}

std::unique_ptr<SurveyRun> startUp(Environment environment, const Composition& composition)
{
    {
        const std::unique_ptr<Splash> splash = composition.splash();
        splash->show();
        splash->repaint();
        // Let the window system draw it before the pause, which processes nothing.
        QElapsedTimer waited;
        waited.start();
        while (!splash->hasBeenPainted() && waited.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        environment.pause(SplashPauseMs);
        splash->hide();
    }

    auto run = std::make_unique<SurveyRun>(std::move(environment));
    run->createScreens(composition);
    run->showScreen(run->mainWindow());
    return run;
}
