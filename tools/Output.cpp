#include "tools/Output.h"

#include "tools/Tool.h"

namespace SurveyData {

Output::Output(Context& context, const QString& path) : m_context(context), m_path(path)
{
    if (!path.isEmpty() && path != QLatin1String("-"))
        m_file = std::make_unique<QSaveFile>(path);
}

bool Output::open()
{
    if (!m_file)
        return true;
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("не удалось создать «%1»: %2").arg(m_path, m_file->errorString());
        return false;
    }
    return true;
}

QIODevice& Output::device()
{
    if (m_file)
        return *m_file;
    return m_context.out;
}

bool Output::commit()
{
    if (!m_file)
        return true;
    if (!m_file->commit()) {
        m_error = QStringLiteral("не удалось записать «%1»: %2").arg(m_path, m_file->errorString());
        return false;
    }
    return true;
}

} // namespace SurveyData
