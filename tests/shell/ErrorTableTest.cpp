// The error table's lookup: category by high byte, detail by the whole code, "Unknown error" for
// what is missing.
#include <gtest/gtest.h>

#include <string>

#include "shell/ErrorTable.h"

TEST(ErrorTable, KnownDetailUnderItsCategory) {
    const ErrorText memory = lookUpError(ERR_OUT_OF_MEMORY);
    EXPECT_EQ(std::string(memory.caption), "General error");
    EXPECT_EQ(std::string(memory.message), "Not enough memory");
    const ErrorText resource = lookUpError(ERR_RESOURCE);
    EXPECT_EQ(std::string(resource.message), "Unavailable resource");
    const ErrorText state = lookUpError(ERR_APP_STATE);
    EXPECT_EQ(std::string(state.caption), "Application error");
    EXPECT_EQ(std::string(state.message), "Unknown application state");
}

TEST(ErrorTable, CategoryRowIsItsOwnDetail) {
    const ErrorText general = lookUpError(0x0000);
    EXPECT_EQ(std::string(general.caption), "General error");
    EXPECT_EQ(std::string(general.message), "General error");
}

TEST(ErrorTable, UnknownDetailInAKnownCategory) {
    const ErrorText text = lookUpError(0x0003);
    EXPECT_EQ(std::string(text.caption), "General error");
    EXPECT_EQ(std::string(text.message), "Unknown error");
    EXPECT_EQ(std::string(lookUpError(0x0102).message), "Unknown error");
}

TEST(ErrorTable, UnknownCategoryIsUnknownTwice) {
    for (std::uint16_t code : {std::uint16_t{0x0200}, std::uint16_t{0xFF01}, std::uint16_t{0xFFFF}}) {
        const ErrorText text = lookUpError(code);
        EXPECT_EQ(std::string(text.caption), "Unknown error") << code;
        EXPECT_EQ(std::string(text.message), "Unknown error") << code;
    }
}
