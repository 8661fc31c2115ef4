#include "platform/workstation/x11desktop.h"

#include <xcb/xcb.h>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace workstation {

namespace {

// xcb hands replies over in malloc'ed memory.
template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <class T>
Reply<T> Owned(T* p)
{
    return Reply<T>(p, &std::free);
}

struct TaskKey {
    const char* name;
    uint32_t keysym;
    uint16_t modifiers;
};

constexpr uint32_t kTab = 0xff09, kEscape = 0xff1b, kDelete = 0xffff, kSuperL = 0xffeb, kSuperR = 0xffec;
constexpr uint16_t kShift = XCB_MOD_MASK_SHIFT, kControl = XCB_MOD_MASK_CONTROL, kAlt = XCB_MOD_MASK_1;

const TaskKey kTaskKeys[] = {
    {"Alt+Tab", kTab, kAlt},
    {"Alt+Shift+Tab", kTab, kAlt | kShift},
    {"Alt+Esc", kEscape, kAlt},
    {"Ctrl+Esc", kEscape, kControl},
    {"Super_L", kSuperL, 0},
    {"Super_R", kSuperR, 0},
    {"Ctrl+Alt+Del", kDelete, kControl | kAlt},
};

// A grab holds only for the exact modifiers: Caps Lock and Num Lock (Mod2 on every usual
// keyboard map) would otherwise let the key through.
const uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

constexpr uint32_t kIconicState = 3;

}  // namespace

X11Desktop::X11Desktop(const QString& Display, LogFunction Log) : log_(std::move(Log))
{
    int screen = 0;
    xcb_connection_t* conn = xcb_connect(Display.toLocal8Bit().constData(), &screen);
    if (xcb_connection_has_error(conn)) {
        xcb_disconnect(conn);
        log_(QStringLiteral("affichage X11 %1 injoignable : le bureau n'est pas verrouillé").arg(Display));
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screen && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(conn);
        log_(QStringLiteral("affichage X11 %1 sans écran").arg(Display));
        return;
    }
    conn_ = conn;
    root_ = it.data->root;
    // The grabbed keys come to this connection as events: they are read and dropped.
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(conn_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { DrainEvents(); });
}

X11Desktop::~X11Desktop()
{
    if (conn_) {
        Flush();
        xcb_disconnect(conn_);
    }
}

QStringList X11Desktop::TaskKeyNames()
{
    QStringList names;
    for (const TaskKey& key : kTaskKeys)
        names << QString::fromLatin1(key.name);
    return names;
}

void X11Desktop::Disconnect(const QString& Why)
{
    log_(Why);
    delete notifier_;
    notifier_ = nullptr;
    xcb_disconnect(conn_);
    conn_ = nullptr;
    grabs_.clear();
    hidden_[Panels].clear();
    hidden_[DesktopIcons].clear();
}

void X11Desktop::Sync()
{
    // A round trip: once it is back, the server has carried out every request sent before.
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
    DrainEvents();
}

void X11Desktop::DrainEvents()
{
    if (!conn_)
        return;
    while (xcb_generic_event_t* e = xcb_poll_for_event(conn_))
        std::free(e);
    if (xcb_connection_has_error(conn_))
        Disconnect(QStringLiteral("connexion à l'affichage X11 perdue"));
}

// --- window queries --------------------------------------------------------------------------

uint32_t X11Desktop::Atom(const char* Name)
{
    auto reply = Owned(xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, uint16_t(std::strlen(Name)), Name), nullptr));
    return reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
}

std::vector<uint32_t> X11Desktop::Children(uint32_t Window)
{
    auto reply = Owned(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, Window), nullptr));
    if (!reply)
        return {};
    const xcb_window_t* first = xcb_query_tree_children(reply.get());
    return std::vector<uint32_t>(first, first + xcb_query_tree_children_length(reply.get()));
}

bool X11Desktop::HasType(uint32_t Window, uint32_t Type)
{
    if (windowType_ == XCB_ATOM_NONE)
        windowType_ = Atom("_NET_WM_WINDOW_TYPE");
    auto reply = Owned(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, Window, windowType_, XCB_ATOM_ATOM, 0, 32), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == Type)
            return true;
    return false;
}

bool X11Desktop::Mapped(uint32_t Window, bool* Exists, bool* OverrideRedirect, bool* Viewable)
{
    auto reply = Owned(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, Window), nullptr));
    if (Exists)
        *Exists = reply != nullptr;
    if (OverrideRedirect)
        *OverrideRedirect = reply && reply->override_redirect;
    if (Viewable)
        *Viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
}

std::vector<uint32_t> X11Desktop::WindowsOfKind(Kind What)
{
    const uint32_t type = Atom(What == Panels ? "_NET_WM_WINDOW_TYPE_DOCK" : "_NET_WM_WINDOW_TYPE_DESKTOP");
    std::vector<uint32_t> found;
    for (uint32_t top : Children(root_)) {
        if (HasType(top, type)) {
            found.push_back(top);
            continue;
        }
        // A reparenting window manager puts the client inside a frame of its own.
        for (uint32_t inner : Children(top))
            if (HasType(inner, type))
                found.push_back(inner);
    }
    return found;
}

// --- panels and desktop icons ----------------------------------------------------------------

void X11Desktop::SetHidden(Kind What, bool Hidden)
{
    if (!conn_)
        return;
    wantHidden_[What] = Hidden;
    if (!pending_) {
        pending_ = true;
        QTimer::singleShot(0, this, [this] { Flush(); });
    }
}

void X11Desktop::Flush()
{
    if (!conn_ || !pending_)
        return;
    pending_ = false;
    Apply(Panels);
    Apply(DesktopIcons);
    Sync();
}

void X11Desktop::Apply(Kind What)
{
    if (wantHidden_[What]) {
        // Hiding again also catches a panel started since the last time.
        for (uint32_t w : WindowsOfKind(What))
            if (Mapped(w)) {
                xcb_unmap_window(conn_, w);
                hidden_[What].insert(w);
            }
        return;
    }
    // Only what was hidden here comes back: a panel someone else had hidden stays hidden.
    for (uint32_t w : std::as_const(hidden_[What])) {
        bool exists = false;
        Mapped(w, &exists);
        if (exists)
            xcb_map_window(conn_, w);
    }
    hidden_[What].clear();
}

// --- task-list keys --------------------------------------------------------------------------

QStringList X11Desktop::BlockKeys(bool Block)
{
    QStringList refused;
    if (!conn_)
        return refused;
    ReleaseGrabs();
    if (!Block) {
        xcb_flush(conn_);
        return refused;
    }
    const xcb_setup_t* setup = xcb_get_setup(conn_);
    const uint8_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    auto map = Owned(xcb_get_keyboard_mapping_reply(conn_, xcb_get_keyboard_mapping(conn_, first, uint8_t(count)), nullptr));
    if (!map) {
        log_(QStringLiteral("table du clavier illisible : touches système non bloquées"));
        return TaskKeyNames();
    }
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    const int perCode = map->keysyms_per_keycode;
    for (const TaskKey& key : kTaskKeys) {
        // Every key code that carries the symbol unshifted or shifted.
        std::vector<uint8_t> codes;
        for (int i = 0; i < count; ++i)
            for (int col = 0; col < std::min(perCode, 2); ++col)
                if (syms[i * perCode + col] == key.keysym) {
                    codes.push_back(uint8_t(first + i));
                    break;
                }
        std::vector<std::pair<Grab, xcb_void_cookie_t>> asked;
        for (uint8_t code : codes)
            for (uint16_t lock : kLockVariants) {
                const Grab g{uint16_t(key.modifiers | lock), code};
                asked.push_back({g, xcb_grab_key_checked(conn_, 1, root_, g.modifiers, g.keycode,
                                                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
            }
        bool held = codes.empty();
        for (auto& [g, cookie] : asked) {
            if (auto error = Owned(xcb_request_check(conn_, cookie)))
                held = true;
            else
                grabs_.push_back(g);
        }
        if (held) {
            refused << QString::fromLatin1(key.name);
            log_(QStringLiteral("%1 reste actif : la combinaison est déjà prise (gestionnaire de fenêtres)")
                     .arg(QString::fromLatin1(key.name)));
        }
    }
    DrainEvents();
    return refused;
}

void X11Desktop::ReleaseGrabs()
{
    for (const Grab& g : grabs_)
        xcb_ungrab_key(conn_, g.keycode, root_, g.modifiers);
    grabs_.clear();
}

// --- other windows ---------------------------------------------------------------------------

void X11Desktop::MinimizeOthers(uint32_t Own)
{
    if (!conn_)
        return;
    // The window manager's list of its clients, or without one the top-level windows.
    std::vector<uint32_t> windows;
    const uint32_t clientList = Atom("_NET_CLIENT_LIST");
    auto list = Owned(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, root_, clientList, XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (list && list->format == 32 && xcb_get_property_value_length(list.get()) > 0) {
        const auto* ids = static_cast<const uint32_t*>(xcb_get_property_value(list.get()));
        windows.assign(ids, ids + xcb_get_property_value_length(list.get()) / 4);
    } else {
        windows = Children(root_);
    }
    const uint32_t changeState = Atom("WM_CHANGE_STATE");
    const uint32_t dock = Atom("_NET_WM_WINDOW_TYPE_DOCK");
    const uint32_t desktop = Atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    for (uint32_t w : windows) {
        if (w == Own)
            continue;
        bool overrideRedirect = false, viewable = false;
        Mapped(w, nullptr, &overrideRedirect, &viewable);
        if (!viewable || overrideRedirect || HasType(w, dock) || HasType(w, desktop))
            continue;
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = changeState;
        ev.data.data32[0] = kIconicState;
        xcb_send_event(conn_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    Sync();
}

}  // namespace workstation
