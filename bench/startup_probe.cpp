// Times a program from its start to the moment its window with a given title is mapped on the X
// display, without any help from the program: it watches the root window for MapNotify, reads
// the title of each window mapped, then closes the window as a window manager would
// (WM_DELETE_WINDOW) or kills the program. X11 only; for scripts/bench.sh.
//
//   startup_probe [--close] TITLE PROGRAM [ARGUMENTS…]
//
// Prints the milliseconds to the window shown. --close: closes the window and waits for the
// program to end by itself (so that a wrapper such as /usr/bin/time -v sees its whole run);
// otherwise the program is killed once its window is shown. Exit status 0 when the window came.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

namespace {

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<uint16_t>(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray title(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, property, type, 0, 1024), nullptr));
    if (!reply)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

void askToClose(xcb_connection_t* x, xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
}

} // namespace

int main(int argc, char** argv)
{
    int at = 1;
    const bool close = at < argc && QByteArray(argv[at]) == "--close";
    if (close)
        ++at;
    if (argc - at < 2) {
        std::fprintf(stderr, "usage: %s [--close] TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const QByteArray wanted = argv[at++];
    const QString program = QString::fromLocal8Bit(argv[at++]);
    QStringList arguments;
    for (; at < argc; ++at)
        arguments << QString::fromLocal8Bit(argv[at]);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netName = atom(x, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(x, "UTF8_STRING");
    xcb_flush(x);

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        std::fprintf(stderr, "cannot start %s\n", argv[at - 1 - int(arguments.size())]);
        return 2;
    }

    xcb_window_t shown = XCB_WINDOW_NONE;
    qint64 shownAfterNs = 0;
    while (shown == XCB_WINDOW_NONE && process.state() == QProcess::Running &&
           clock.elapsed() < 60000) {
        std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(xcb_poll_for_event(x));
        if (!event) {
            process.waitForFinished(0);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        const qint64 at_ns = clock.nsecsElapsed();
        QByteArray name = title(x, map->window, netName, utf8);
        if (name.isEmpty())
            name = title(x, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        if (name.contains(wanted)) {
            shown = map->window;
            shownAfterNs = at_ns;
        }
    }
    if (shown == XCB_WINDOW_NONE) {
        std::fprintf(stderr, "no window titled \"%s\" was shown\n", wanted.constData());
        process.kill();
        process.waitForFinished(5000);
        return 1;
    }
    std::printf("%.1f\n", double(shownAfterNs) / 1e6);
    std::fflush(stdout);
    if (close) {
        askToClose(x, shown);
        if (!process.waitForFinished(20000)) {
            std::fprintf(stderr, "the program did not end when its window was closed\n");
            process.kill();
            process.waitForFinished(5000);
            return 1;
        }
    } else {
        process.kill();
        process.waitForFinished(5000);
    }
    xcb_disconnect(x);
    return 0;
}
