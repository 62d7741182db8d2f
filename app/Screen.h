#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <type_traits>

class SurveyRun;

// How a screen's window looks from the outside.
struct ScreenFrame
{
    enum class Border {
        Dialog,   // a fixed border whose only button is the close box
        None,     // borderless (splash, finish screen)
        Sizeable, // an ordinary resizable window at a fixed position
    };

    QString instanceName; // the program-wide instance name, also the window's objectName
    QString caption;
    QSize clientSize;
    Border border = Border::Dialog;
    QColor background = Qt::black;
};

// The window every screen of the run is: a plain top-level window (not a dialog, so Esc and Enter
// do not close it) that lives from start-up to exit. The handlers named after the platform's
// events run inside the run's error wrapper:
// - FormShow when the program shows the window (not when it is restored from minimised);
// - FormActivate when the window becomes the active one among ours;
// - FormClose when its window is closed; by default that asks the program to end.
class Screen : public QWidget
{
    Q_OBJECT

public:
    Screen(SurveyRun& run, const ScreenFrame& frame);
    ~Screen() override;

    SurveyRun& run() const { return m_run; }

    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormClose();

    // Closes the window as the program does it: also while the window is disabled.
    void closeByProgram();

protected:
    // Runs the handler for each emission of the signal inside the run's error wrapper; the
    // handler may take the signal's arguments or none.
    template <typename Sender, typename Signal, typename Handler>
    void on(Sender* sender, Signal signal, Handler handler);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void runHandler(const std::function<void()>& handler);

    SurveyRun& m_run;
    bool m_closingByProgram = false;
};

template <typename Sender, typename Signal, typename Handler>
void Screen::on(Sender* sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler](auto... args) {
        runHandler([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}
