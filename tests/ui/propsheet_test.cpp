// Property sheets: pages get their windows when first activated; a derived
// sheet can hide instead of closing and extend its system menu and styles.
#include "ui_fixture.h"

namespace {

class CountingPage : public CPropertyPage {
public:
    explicit CountingPage(UINT id) : CPropertyPage(id) {}
    BOOL OnInitDialog() override {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    int inits = 0;
    int activations = 0;
};

class HidingSheet : public CPropertySheet {
public:
    HidingSheet() : CPropertySheet(TEXT("Probing Tool Settings"), nullptr, 0) {}
    BOOL OnInitDialog() override {
        if (CMenu* menu = GetSystemMenu(FALSE))
            menu->AppendMenu(MF_STRING, SC_SIZE, TEXT("Size"));
        ModifyStyle(0, WS_THICKFRAME);
        ModifyStyleEx(0, WS_EX_CONTROLPARENT);
        return CPropertySheet::OnInitDialog();
    }
    void OnClose() override { ShowWindow(SW_HIDE); }
};

class PropertySheetTest : public UiTest {
protected:
    void SetUp() override {
        sheet.AddPage(&one);
        sheet.AddPage(&two);
    }
    CountingPage one{IDD_TEST_PAGE_ONE};
    CountingPage two{IDD_TEST_PAGE_TWO};
    HidingSheet sheet;
};

TEST_F(PropertySheetTest, OnlyTheActivePageGetsAWindowAtCreation) {
    ASSERT_TRUE(sheet.Create(nullptr, static_cast<DWORD>(-1), 0));
    EXPECT_EQ(one.inits, 1);
    EXPECT_NE(one.m_hWnd, nullptr);
    EXPECT_EQ(two.m_hWnd, nullptr);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetPage(1), &two);
    EXPECT_EQ(one.GetCaption(), TEXT("One"));

    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(two.inits, 1);
    EXPECT_TRUE(two.IsWindowVisible());
    EXPECT_FALSE(one.IsWindowVisible());
    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(two.inits, 1); // created once
    EXPECT_EQ(two.activations, 2);
    EXPECT_FALSE(sheet.SetActivePage(2));
}

TEST_F(PropertySheetTest, DerivedInitialisationAddsSizingToTheSystemMenuAndStyles) {
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(sheet.GetExStyle() & WS_EX_CONTROLPARENT);
    CMenu* menu = sheet.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    const int last = static_cast<int>(menu->GetMenuItemCount()) - 1;
    CString text;
    menu->GetMenuString(static_cast<UINT>(last), text, MF_BYPOSITION);
    EXPECT_EQ(text, TEXT("Size"));
    EXPECT_EQ(menu->GetMenuItemID(last), static_cast<UINT>(SC_SIZE));
}

TEST_F(PropertySheetTest, DestroyingTheSheetDestroysThePagesThatWereCreated) {
    ASSERT_TRUE(sheet.Create());
    sheet.ShowWindow(SW_HIDE);
    EXPECT_TRUE(sheet.DestroyWindow());
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(one.m_hWnd, nullptr);
    EXPECT_EQ(two.m_hWnd, nullptr);
    EXPECT_EQ(two.inits, 0);
}

TEST_F(PropertySheetTest, DefaultSheetIsDestroyedByItsCloseBox) {
    CPropertySheet plain(TEXT("Plain"));
    CountingPage page(IDD_TEST_PAGE_ONE);
    plain.AddPage(&page);
    ASSERT_TRUE(plain.Create());
    platform::CloseWindow(plain.m_hWnd);
    EXPECT_EQ(plain.m_hWnd, nullptr);
    EXPECT_EQ(page.m_hWnd, nullptr);
}

} // namespace
