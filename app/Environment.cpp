#include "app/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>

Environment Environment::system()
{
    Environment env;
    env.clock = std::make_shared<SystemClock>();
    env.workingFolder = QDir::currentPath();
    env.locale = QLocale::system();
    env.pause = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    env.fileExists = [](const QString& path) { return QFileInfo(path).isFile(); };
    env.presentMessageBox = [](const MessageBoxRequest& request, QWidget* over) {
        const auto icon = request.kind == MessageBoxRequest::Kind::Error ? QMessageBox::Critical
                                                                         : QMessageBox::Information;
        QMessageBox box(icon, request.title, request.text, QMessageBox::Ok, over);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    };
    env.endEventLoop = [](int status) { QCoreApplication::exit(status); };
    return env;
}
