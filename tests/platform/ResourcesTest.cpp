// Resources of a module by number and type: raw data, strings, bitmaps, icons and cursors.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/GdiObjects.h"
#include "tests/platform/DibBuilder.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using veskar::testing::TestModule;

TEST(Resources, FindsRawResourcesByNumberAndNamedType) {
    TestBackend::reset();
    TestModule module;
    module.addNamed("WAVE", 124, {'R', 'I', 'F', 'F'});
    module.addNamed("WAVE", 125, {1, 2});
    HINSTANCE instance = module.handle();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(125), "WAVE");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(instance, found), 2u);
    HGLOBAL data = LoadResource(instance, found);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(data));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(FindResourceA(instance, MAKEINTRESOURCEA(126), "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(instance, MAKEINTRESOURCEA(124), RT_BITMAP), nullptr) << "the type must match";
    EXPECT_EQ(LockResource(LoadResource(instance, nullptr)), nullptr);
}

TEST(Resources, LoadStringCopiesWithTruncation) {
    TestBackend::reset();
    TestModule module;
    module.addString(1, "VESKAR");
    HINSTANCE instance = module.handle();
    char buffer[100];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(instance, 1, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "VESKAR");
    char small[4];
    EXPECT_EQ(LoadStringA(instance, 1, small, sizeof small), 3);
    EXPECT_STREQ(small, "VES");
    EXPECT_EQ(LoadStringA(instance, 2, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(instance, 1, buffer, 0), 0);
}

TEST(Resources, LoadBitmapDecodesIntoA32BitBitmap) {
    TestBackend::reset();
    TestModule module;
    module.addBitmap(107, veskar::testing::makeDib(32, 32, 8, {0x000000, 0xFF8000},
                                                   [](int x, int y) { return (x + y) % 2 ? 1u : 0u; }));
    module.addBitmap(108, {1, 2, 3});
    HINSTANCE instance = module.handle();
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(107));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    ASSERT_NE(GetObjectA(bitmap, sizeof description, &description), 0);
    EXPECT_EQ(description.bmWidth, 32);
    EXPECT_EQ(description.bmBitsPixel, 32);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    HDC probe = CreateCompatibleDC(nullptr);
    HBITMAP one = CreateCompatibleBitmap(probe, 2, 1);
    SelectObject(probe, one);
    BitBlt(probe, 0, 0, 2, 1, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(one->pixels[0], 0x000000u);
    EXPECT_EQ(one->pixels[1], 0xFF8000u);
    EXPECT_EQ(LoadBitmapA(instance, MAKEINTRESOURCEA(108)), nullptr) << "malformed";
    EXPECT_EQ(LoadBitmapA(instance, MAKEINTRESOURCEA(109)), nullptr) << "missing";
    SelectObject(dc, previous);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(Resources, ProgramModuleAndStockObjects) {
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    TestModule module;
    EXPECT_EQ(LoadIconA(module.handle(), MAKEINTRESOURCEA(101)), nullptr);
}
