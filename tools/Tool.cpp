#include "tools/Tool.h"

#include <QCoreApplication>

namespace SurveyData {
namespace {

QString generalHelp()
{
    QString text = QStringLiteral("Использование: survey-data КОМАНДА [ПАРАМЕТРЫ] ПУТЬ…\n"
                                  "Чтение файлов статистики анкеты и проверка списков классов.\n\n"
                                  "Команды:\n");
    for (const Subcommand& sub : subcommands())
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(sub.name).leftJustified(8))
                    .arg(QString::fromUtf8(sub.synopsis));
    text += QStringLiteral(
        "\n  -h, --help     эта справка; survey-data КОМАНДА --help — справка о команде\n"
        "  -V, --version  версия программы\n\n"
        "Коды завершения: 0 — всё в порядке, 1 — найдены ошибочные записи или файлы\n"
        "(правильные записи всё равно выведены), 2 — ошибка в параметрах или входных данных.\n");
    return text;
}

void write(QIODevice& device, const QString& text)
{
    device.write(text.toUtf8());
}

} // namespace

void Context::message(const QString& text) const
{
    write(err, text + QLatin1Char('\n'));
}

int Context::usage(const QString& subcommand, const QString& text) const
{
    message(QStringLiteral("%1 %2: %3").arg(program, subcommand, text));
    return UsageError;
}

QString versionText()
{
    return QStringLiteral("survey-data %1\n").arg(QStringLiteral(SURVEY_VERSION));
}

int run(const QStringList& arguments, QIODevice& out, QIODevice& err, bool outIsTerminal,
        bool errIsTerminal)
{
    if (arguments.isEmpty()) {
        write(err, generalHelp());
        return UsageError;
    }
    const QString first = arguments.first();
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        write(out, generalHelp());
        return Success;
    }
    if (first == QLatin1String("-V") || first == QLatin1String("--version")) {
        write(out, versionText());
        return Success;
    }
    for (const Subcommand& sub : subcommands()) {
        if (first != QLatin1String(sub.name))
            continue;
        Context context{arguments.mid(1), out, err, outIsTerminal, errIsTerminal};
        return sub.run(context);
    }
    write(err, QStringLiteral("survey-data: неизвестная команда «%1». Справка: survey-data "
                              "--help\n")
                   .arg(first));
    return UsageError;
}

} // namespace SurveyData
