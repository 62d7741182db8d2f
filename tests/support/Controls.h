#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

// Finding the controls of a screen by their designer names. A control that is missing fails the
// test loudly and stops it: every later step would only report the same fault again.
namespace controls {

template <typename T = QWidget>
T* need(const QObject* root, const QString& name, const char* file, int line)
{
    if (root == nullptr) {
        QTest::qFail(qPrintable(QStringLiteral("no window to look for \"%1\" in").arg(name)), file,
                     line);
        std::fprintf(stderr, "FATAL: missing window at %s:%d\n", file, line);
        std::abort();
    }
    T* found = root->objectName() == name ? qobject_cast<T*>(const_cast<QObject*>(root)) : nullptr;
    if (found == nullptr)
        found = root->findChild<T*>(name);
    if (found == nullptr) {
        const QString message =
            QStringLiteral("%1 has no %2 named \"%3\"")
                .arg(root->objectName(), QString::fromLatin1(T::staticMetaObject.className()),
                     name);
        QTest::qFail(qPrintable(message), file, line);
        std::fprintf(stderr, "FATAL: %s at %s:%d\n", qPrintable(message), file, line);
        std::abort();
    }
    return found;
}

// Whether a respondent can see the widget: it and every parent up to its window are shown.
inline bool seen(const QWidget* widget)
{
    return widget->isVisibleTo(widget->window()) && widget->window()->isVisible();
}

// Presses a button as a respondent would: it must be seen and enabled, then it gets a real click.
inline bool press(QAbstractButton* button, const char* file, int line)
{
    if (!seen(button) || !button->isEnabled()) {
        QTest::qFail(qPrintable(QStringLiteral("\"%1\" (%2) cannot be pressed: %3")
                                    .arg(button->objectName(), button->text(),
                                         seen(button) ? QStringLiteral("disabled")
                                                      : QStringLiteral("not visible"))),
                     file, line);
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

} // namespace controls

#define NEED(Type, root, name)                                                                     \
    (::controls::need<Type>((root), QStringLiteral(name), __FILE__, __LINE__))
#define NEED_NAMED(Type, root, name) (::controls::need<Type>((root), (name), __FILE__, __LINE__))
// Presses the named button of a window; the test stops if it cannot be pressed.
#define PRESS(root, name)                                                                          \
    do {                                                                                           \
        if (!::controls::press(NEED(QAbstractButton, root, name), __FILE__, __LINE__))             \
            return;                                                                                \
    } while (false)
#define PRESS_NAMED(root, name)                                                                    \
    do {                                                                                           \
        if (!::controls::press(NEED_NAMED(QAbstractButton, root, name), __FILE__, __LINE__))       \
            return;                                                                                \
    } while (false)
