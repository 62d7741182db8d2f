#pragma once

#include <QString>
#include <stdexcept>

// The error that a failing step raises. Whatever handler runs it stops there, and the shell shows
// text() in the standard error message box; the program goes on.
class SurveyError : public std::runtime_error
{
public:
    explicit SurveyError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};
