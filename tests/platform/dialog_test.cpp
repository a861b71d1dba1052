#include "dialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Message> g_received;

INT_PTR Record(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_received.push_back({message, wParam, lParam});
    return TRUE;
}

const DialogControl kControls[] = {
    {10, ControlKind::ComboBox, nullptr, 0, 0, 50, 50, CBS_DROPDOWNLIST},
    {11, ControlKind::Edit, u"start", 0, 20, 50, 12, ES_NUMBER},
    {12, ControlKind::CheckBox, u"check", 0, 40, 50, 10, BS_AUTOCHECKBOX},
    {13, ControlKind::Trackbar, nullptr, 0, 60, 100, 15, 0},
    {14, ControlKind::Edit, nullptr, 0, 80, 50, 12, WS_DISABLED},
};
const DialogTemplate kTemplate{200, u"MS Shell Dlg", 8, 120, 100, 0, kControls};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_received.clear();
        frame = CreateFrameWindow();
        dialog = CreateDialogFromTemplate(kTemplate, frame, Record, 77);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override { DestroyWindow(frame); }

    std::vector<UINT> Notifications()
    {
        std::vector<UINT> codes;
        for (const Message& m : g_received)
            if (m.message == WM_COMMAND) codes.push_back(HIWORD(m.wParam));
        return codes;
    }

    HWND frame = nullptr;
    HWND dialog = nullptr;
};

} // namespace

TEST_F(DialogTest, CreationSendsInitDialogAndDestroySendsDestroy)
{
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, WM_INITDIALOG);
    EXPECT_EQ(g_received[0].lParam, 77);
    EXPECT_EQ(GetDialogTemplate(dialog), &kTemplate);
    EXPECT_EQ(GetChildDialogs(frame), std::vector<HWND>{dialog});
    EXPECT_EQ(GetParent(GetDlgItem(dialog, 12)), dialog);
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog, 12)), 12);
    EXPECT_EQ(GetDlgItem(dialog, 99), nullptr);
    SetTimer(dialog, 5, 100, nullptr);
    EXPECT_TRUE(DestroyWindow(frame));
    EXPECT_EQ(g_received.back().message, WM_DESTROY);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(GetActiveTimers(dialog).empty());
    EXPECT_FALSE(FireTimer(dialog, 5));
    frame = CreateFrameWindow();
}

TEST_F(DialogTest, ComboBoxMessagesKeepItemsAndSelection)
{
    for (const WCHAR* item : {u"one", u"two", u"three"})
        SendDlgItemMessage(dialog, 10, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"zero")), 0);
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_GETCURSEL, 0, 0), 3); // selection follows its item
    WCHAR text[16];
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 3);
    EXPECT_EQ(std::u16string(text), u"one");
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_GETLBTEXTLEN, 9, 0), CB_ERR);
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(SendDlgItemMessage(dialog, 10, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(Notifications().empty()); // programmatic changes notify nobody
    ASSERT_TRUE(UserSelectComboItem(dialog, 10, 1));
    EXPECT_EQ(Notifications(), std::vector<UINT>{CBN_SELCHANGE});
    EXPECT_FALSE(UserSelectComboItem(dialog, 10, 4));
    SendDlgItemMessage(dialog, 10, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(GetControlState(dialog, 10)->items.size(), 0u);
    EXPECT_EQ(GetControlState(dialog, 10)->selection, -1);
}

TEST_F(DialogTest, EditsNotifyChangesAndConvertNumbers)
{
    EXPECT_EQ(GetControlState(dialog, 11)->text, u"start");
    ASSERT_TRUE(SetDlgItemInt(dialog, 11, static_cast<UINT>(-25), TRUE));
    EXPECT_EQ(Notifications(), std::vector<UINT>{EN_CHANGE}); // as a real edit does on new text
    BOOL translated = FALSE;
    EXPECT_EQ(static_cast<INT>(GetDlgItemInt(dialog, 11, &translated, TRUE)), -25);
    EXPECT_TRUE(translated);
    GetDlgItemInt(dialog, 11, &translated, FALSE);
    EXPECT_FALSE(translated);
    char narrow[4];
    EXPECT_EQ(GetDlgItemTextA(dialog, 11, narrow, sizeof narrow), 3u); // truncated to the buffer
    EXPECT_STREQ(narrow, "-25");
    EXPECT_FALSE(UserTypeText(dialog, 11, u"12a"));
    EXPECT_TRUE(UserTypeText(dialog, 11, u"120"));
    EXPECT_FALSE(UserTypeText(dialog, 14, u"x")); // disabled
    EnableWindow(GetDlgItem(dialog, 14), TRUE);
    EXPECT_TRUE(UserTypeText(dialog, 14, u"x"));
    EXPECT_EQ(Notifications().size(), 3u);
}

TEST_F(DialogTest, CheckBoxesAndTrackbars)
{
    CheckDlgButton(dialog, 12, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED);
    EXPECT_TRUE(Notifications().empty());
    ASSERT_TRUE(UserClickButton(dialog, 12));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_UNCHECKED);
    EXPECT_EQ(Notifications(), std::vector<UINT>{BN_CLICKED});

    SendDlgItemMessage(dialog, 13, TBM_SETRANGE, TRUE, MAKELPARAM(static_cast<WORD>(-100), 100));
    EXPECT_EQ(SendDlgItemMessage(dialog, 13, TBM_GETRANGEMIN, 0, 0), -100);
    SendDlgItemMessage(dialog, 13, TBM_SETPOS, TRUE, -300);
    EXPECT_EQ(SendDlgItemMessage(dialog, 13, TBM_GETPOS, 0, 0), -100);
    g_received.clear();
    ASSERT_TRUE(UserMoveTrackbar(dialog, 13, 55));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, WM_HSCROLL);
    EXPECT_EQ(reinterpret_cast<HWND>(g_received[0].lParam), GetDlgItem(dialog, 13));
    EXPECT_EQ(SendDlgItemMessage(dialog, 13, TBM_GETPOS, 0, 0), 55);
}

TEST_F(DialogTest, TimersFireOnlyWhileSet)
{
    EXPECT_EQ(SetTimer(dialog, 3, 50, nullptr), 3u);
    g_received.clear();
    ASSERT_TRUE(FireTimer(dialog, 3));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, WM_TIMER);
    EXPECT_EQ(g_received[0].wParam, 3u);
    EXPECT_TRUE(KillTimer(dialog, 3));
    EXPECT_FALSE(FireTimer(dialog, 3));
    EXPECT_FALSE(KillTimer(dialog, 3));
}
