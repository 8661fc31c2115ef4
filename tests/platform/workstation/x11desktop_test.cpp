// The X11 side of the workstation on a private X server: panels and desktop windows, the
// task-list keys, the other windows.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include "platform/workstation/linux.h"
#include "xserver.h"

namespace {

constexpr xcb_keysym_t kTab = 0xff09, kEscape = 0xff1b;

class X11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.Running())
            GTEST_SKIP() << "Xvfb could not be started";
        desktop = std::make_unique<XClient>(server.Display());
        ASSERT_TRUE(desktop->Connected());
        workstation::LinuxOptions options;
        options.Display = server.Display();
        station = std::make_unique<workstation::LinuxWorkstation>(options);
        ASSERT_TRUE(station->DesktopActive());
    }

    PrivateXServer server;
    std::unique_ptr<XClient> desktop;  // the other programs of the session
    std::unique_ptr<workstation::LinuxWorkstation> station;
};

}  // namespace

TEST_F(X11Test, PanelsAndDesktopWindowsAreHiddenAndOnlyWhatWasHiddenComesBack)
{
    const xcb_window_t panel = desktop->Window("DOCK", true);
    const xcb_window_t icons = desktop->Window("DESKTOP", true);
    const xcb_window_t hiddenBefore = desktop->Window("DOCK", false);
    const xcb_window_t browser = desktop->Window(nullptr, true);
    // A panel inside a window manager's frame.
    const xcb_window_t frame = desktop->Window(nullptr, true);
    const xcb_window_t framed = desktop->Window("DOCK", true, frame);

    station->HideTaskbar();
    station->Flush();
    EXPECT_FALSE(desktop->Mapped(panel));
    EXPECT_FALSE(desktop->Mapped(framed));
    EXPECT_TRUE(desktop->Mapped(icons));
    EXPECT_TRUE(desktop->Mapped(browser));

    station->HideDesktopIcons();
    station->Flush();
    EXPECT_FALSE(desktop->Mapped(icons));

    station->ShowTaskbar();
    station->ShowDesktopIcons();
    station->Flush();
    EXPECT_TRUE(desktop->Mapped(panel));
    EXPECT_TRUE(desktop->Mapped(framed));
    EXPECT_TRUE(desktop->Mapped(icons));
    EXPECT_FALSE(desktop->Mapped(hiddenBefore));
}

TEST_F(X11Test, AShowAtOnceFollowedByAHideLeavesThePanelHidden)
{
    const xcb_window_t panel = desktop->Window("DOCK", true);
    station->HideTaskbar();
    station->Flush();
    // What the start of a session does: everything given back, then hidden again.
    station->ShowTaskbar();
    station->HideTaskbar();
    // The states asked for are applied by the event loop.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 200)
        QCoreApplication::processEvents();
    EXPECT_FALSE(desktop->Mapped(panel));
    station->ShowTaskbar();
    station->Flush();
    EXPECT_TRUE(desktop->Mapped(panel));
}

TEST_F(X11Test, TaskKeysAreTakenWithTheLockVariantsAndAKeyHeldElsewhereIsReported)
{
    // The window manager holds Alt+Tab already.
    XClient manager(server.Display());
    ASSERT_TRUE(manager.Grab(kTab, XCB_MOD_MASK_1));
    XClient other(server.Display());

    station->BlockTaskKeys(true);
    ASSERT_EQ(station->Notices.size(), 1);
    EXPECT_TRUE(station->Notices.first().startsWith(QLatin1String("Alt+Tab "))) << station->Notices.first().toStdString();
    for (int lock : {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2})
        EXPECT_FALSE(other.Grab(kEscape, uint16_t(XCB_MOD_MASK_CONTROL | lock))) << lock;
    EXPECT_FALSE(other.Grab(kTab, XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT));

    station->BlockTaskKeys(false);
    EXPECT_TRUE(other.Grab(kEscape, XCB_MOD_MASK_CONTROL));
    EXPECT_TRUE(other.Grab(kTab, XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT));
    // What the window manager held was never its to give back.
    EXPECT_FALSE(other.Grab(kTab, XCB_MOD_MASK_1));
}

TEST_F(X11Test, EveryOtherVisibleWindowIsAskedToMinimise)
{
    const xcb_window_t browser = desktop->Window(nullptr, true);
    const xcb_window_t own = desktop->Window(nullptr, true);
    desktop->Window(nullptr, false);
    desktop->Window("DOCK", true);
    // The client messages go to whoever watches the root window, as a window manager does.
    XClient manager(server.Display());
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(manager.Conn(), manager.Root(), XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(manager.Conn(), xcb_get_input_focus(manager.Conn()), nullptr));
    const xcb_atom_t changeState = manager.Atom("WM_CHANGE_STATE");

    station->MinimizeOthers(own);
    QList<xcb_window_t> asked;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500) {
        xcb_generic_event_t* e = xcb_poll_for_event(manager.Conn());
        if (!e)
            continue;
        if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
            if (m->type == changeState && m->data.data32[0] == 3)
                asked << m->window;
        }
        std::free(e);
    }
    EXPECT_EQ(asked, QList<xcb_window_t>{browser});
}

TEST(Workstation, WithoutAnX11DesktopTheDesktopCallsDoNothingAndSaySoOnce)
{
    for (bool wayland : {true, false}) {
        workstation::LinuxOptions options;
        options.Wayland = wayland;
        options.Display = wayland ? QStringLiteral(":0") : QString();
        workstation::LinuxWorkstation station(options);
        EXPECT_FALSE(station.DesktopActive());
        station.HideTaskbar();
        station.HideDesktopIcons();
        station.BlockTaskKeys(true);
        station.MinimizeOthers(0);
        ASSERT_EQ(station.Notices.size(), 1) << wayland;
        EXPECT_EQ(station.Notices.first().startsWith(QLatin1String("session Wayland")), wayland);
    }
}
