// The configuration dialog on wine's dialog manager, reached as a host
// reaches it: through the DLL's export.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "library_loader.h"
#include "platform/os.h"
#include "plugin/plugin_abi.h"

namespace {

// Template 103, in template order: id and position in dialog units.
struct Row {
    int id, x, y, w, h;
} const layout[36] = {
    {1001, 12, 138, 139, 8},  {1002, 12, 148, 139, 11},  {1003, 12, 158, 138, 9},
    {1004, 11, 18, 30, 70},   {-1, 43, 25, 27, 24},      {1005, 45, 66, 26, 13},
    {1006, 73, 17, 30, 70},   {-1, 109, 25, 39, 26},     {1007, 109, 66, 29, 9},
    {-1, 7, 183, 145, 50},    {1013, 14, 192, 134, 10},  {1014, 14, 202, 135, 9},
    {1015, 14, 212, 131, 10}, {1016, 14, 222, 129, 9},   {-1, 7, 7, 145, 118},
    {-1, 7, 131, 146, 48},    {-1, 155, 7, 111, 199},    {1023, 170, 18, 55, 9},
    {1024, 159, 53, 101, 25}, {1025, 164, 79, 90, 9},    {1026, 159, 90, 102, 25},
    {1027, 164, 117, 96, 8},  {1028, 159, 127, 101, 24}, {1029, 164, 154, 94, 9},
    {1030, 170, 30, 81, 9},   {1031, 159, 162, 100, 26}, {1032, 164, 191, 95, 8},
    {1034, 11, 89, 74, 9},    {1036, 86, 89, 63, 10},    {1037, 177, 208, 61, 12},
    {1038, 12, 168, 137, 10}, {1039, 170, 42, 81, 9},    {-1, 7, 240, 263, 9},
    {1056, 11, 101, 73, 8},   {1057, 87, 101, 51, 9},    {1058, 11, 112, 62, 8},
};

void pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

std::string text_of(HWND dlg, int id) {
    char buf[256] = {};
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}

} // namespace

TEST(DialogOnWindows, CreatedHiddenShownUpdatedAndPlaced) {
    DeleteFileA("C:\\levoria.ini");
    PluginModule* module = test::load_plugin(platform::native_os().program_folder()).module;
    ASSERT_NE(module, nullptr);
    module->init(module);

    HWND dlg = FindWindowA(nullptr, "Levoria Automatic Gain Controller (V1.5)");
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg));

    // 36 controls at the template's positions, in its order.
    int n = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++n) {
        ASSERT_LT(n, 36);
        const Row& row = layout[n];
        if (row.id != -1) {
            EXPECT_EQ(GetDlgCtrlID(child), row.id) << n;
        }
        // The dialog manager maps position and size each on its own.
        RECT units = {row.x, row.y, row.w, row.h};
        MapDialogRect(dlg, &units);
        RECT expected = {units.left, units.top, units.left + units.right, units.top + units.bottom};
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << "control " << n << " id " << row.id;
        EXPECT_EQ(actual.top, expected.top) << "control " << n << " id " << row.id;
        EXPECT_EQ(actual.right, expected.right) << "control " << n << " id " << row.id;
        EXPECT_EQ(actual.bottom, expected.bottom) << "control " << n << " id " << row.id;
    }
    EXPECT_EQ(n, 36);
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 50);

    module->config(module);
    EXPECT_TRUE(IsWindowVisible(dlg));
    pump(120);
    EXPECT_EQ(text_of(dlg, 1013), "Sample Rate:\t\t\t0");
    EXPECT_EQ(text_of(dlg, 1036), "Integer");
    EXPECT_EQ(text_of(dlg, 1038), "Prediction");

    std::vector<short> block(2 * 576, 8000);
    module->process(module, block.data(), 576, 16, 2, 48000);
    pump(120);
    EXPECT_EQ(text_of(dlg, 1013), "Sample Rate:\t\t\t48000");
    EXPECT_EQ(text_of(dlg, 1014), "Channels:\t\t\t2");
    EXPECT_EQ(text_of(dlg, 1015), "Buffer Size:\t\t\t576");
    EXPECT_EQ(text_of(dlg, 1016), "Bits per channel:\t\t\t16");
    EXPECT_EQ(text_of(dlg, 1005), "% 75");
    EXPECT_EQ(text_of(dlg, 1038), "Prediction Hit Rate:\t\t% 100");

    // A click on "Echo Enable" reaches the settings through the dialog.
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(1023, BN_CLICKED), 0);
    EXPECT_EQ(SendDlgItemMessageA(dlg, 1023, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, 1024)));

    // Closing hides; quitting saves the position and destroys the dialog.
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dlg));
    EXPECT_TRUE(IsWindow(dlg));
    MoveWindow(dlg, 123, 77, r.right - r.left, r.bottom - r.top, FALSE);
    module->quit(module);
    EXPECT_FALSE(IsWindow(dlg));
    std::ifstream in("C:\\levoria.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("wndx=123\r\nwndy=77\r\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("echo=1\r\n"), std::string::npos) << text.str();
    DeleteFileA("C:\\levoria.ini");
}
