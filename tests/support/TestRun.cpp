#include "support/TestRun.h"

#include "app/Screen.h"
#include "screens/ScreenTable.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

TestRun::TestRun(const QDateTime& start) : TestRun(QString(), start) {}

TestRun::TestRun(const QString& sharedFolder, const QDateTime& start)
    : m_clock(std::make_shared<FakeClock>(start)), m_folderPath(sharedFolder)
{
    if (m_folderPath.isEmpty()) {
        m_ownFolder.emplace();
        m_folderPath = m_ownFolder->path();
        QDir(m_folderPath).mkdir(QStringLiteral("STAT"));
    }
    m_environment = Environment::system();
    m_environment.clock = m_clock;
    m_environment.workingFolder = m_folderPath;
    m_environment.locale = QLocale(QLocale::Russian, QLocale::Russia);
    m_environment.pause = [](int) {};
    m_environment.presentMessageBox = [this](const MessageBoxRequest& request, QWidget*) {
        m_boxes.push_back(request);
        if (whileBoxOpen)
            whileBoxOpen(request);
    };
    m_environment.endEventLoop = [this](int status) { m_endStatus = status; };
}

TestRun::~TestRun() = default;

SurveyRun& TestRun::start()
{
    m_run = std::make_unique<SurveyRun>(m_environment);
    m_run->createScreens(surveyComposition());
    m_run->showScreen(m_run->mainWindow());
    return *m_run;
}

Screen* TestRun::screen(const char* instance) const
{
    if (m_run)
        for (Screen* screen : m_run->screens())
            if (screen->objectName() == QLatin1String(instance))
                return screen;
    std::fprintf(stderr, "FATAL: the run has no screen %s\n", instance);
    std::abort();
}

QStringList TestRun::boxTexts() const
{
    QStringList texts;
    for (const MessageBoxRequest& box : m_boxes)
        texts.append(box.text);
    return texts;
}
