#include "xserver.h"

#include <QElapsedTimer>
#include <cstdlib>
#include <cstring>

QString StartHelper(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains('\n') && clock.elapsed() < 10000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(200);
        out += process.readAllStandardOutput();
    }
    return out.contains('\n') ? QString::fromLatin1(out.left(out.indexOf('\n')).trimmed()) : QString();
}

void StopHelper(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(1000);
}

PrivateXServer::PrivateXServer()
{
    // Xvfb writes the number of the free display it took to the descriptor given.
    const QString number = StartHelper(process_, QStringLiteral("Xvfb"),
                                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                        QStringLiteral("640x480x24")});
    if (!number.isEmpty())
        display_ = QLatin1Char(':') + number;
}

PrivateXServer::~PrivateXServer()
{
    StopHelper(process_);
}

XClient::XClient(const QString& display)
{
    int screen = 0;
    conn_ = xcb_connect(display.toLatin1().constData(), &screen);
    if (xcb_connection_has_error(conn_)) {
        xcb_disconnect(conn_);
        conn_ = nullptr;
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
}

XClient::~XClient()
{
    if (conn_)
        xcb_disconnect(conn_);
}

xcb_atom_t XClient::Atom(const char* name)
{
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

xcb_window_t XClient::Window(const char* type, bool mapped, xcb_window_t parent)
{
    const xcb_window_t w = xcb_generate_id(conn_);
    xcb_create_window(conn_, XCB_COPY_FROM_PARENT, w, parent ? parent : root_, 10, 10, 100, 50, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (type) {
        const xcb_atom_t value = Atom((QByteArray("_NET_WM_WINDOW_TYPE_") + type).constData());
        xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                            &value);
    }
    if (mapped)
        xcb_map_window(conn_, w);
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
    return w;
}

bool XClient::Mapped(xcb_window_t w)
{
    xcb_get_window_attributes_reply_t* r =
        xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr);
    const bool mapped = r && r->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(r);
    return mapped;
}

xcb_keycode_t XClient::Code(xcb_keysym_t sym)
{
    const xcb_setup_t* setup = xcb_get_setup(conn_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        conn_, xcb_get_keyboard_mapping(conn_, setup->min_keycode, uint8_t(count)), nullptr);
    xcb_keycode_t code = 0;
    if (map) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int i = 0; i < count && !code; ++i)
            if (syms[i * map->keysyms_per_keycode] == sym)
                code = xcb_keycode_t(setup->min_keycode + i);
    }
    std::free(map);
    return code;
}

bool XClient::Grab(xcb_keysym_t sym, uint16_t modifiers)
{
    xcb_generic_error_t* e = xcb_request_check(
        conn_, xcb_grab_key_checked(conn_, 1, root_, modifiers, Code(sym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool granted = e == nullptr;
    std::free(e);
    return granted;
}

void XClient::Ungrab(xcb_keysym_t sym, uint16_t modifiers)
{
    xcb_ungrab_key(conn_, Code(sym), root_, modifiers);
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
}
