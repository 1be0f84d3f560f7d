#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/web/WebEvents.h"

namespace {

using platform::InputMessage;
using platform::WindowMessage;

std::vector<std::uint64_t> Codes(const std::vector<WindowMessage>& messages,
                                 std::uint32_t message) {
    std::vector<std::uint64_t> codes;
    for (const WindowMessage& m : messages) {
        EXPECT_EQ(m.message, message);
        codes.push_back(m.first);
    }
    return codes;
}

// The browser's keys reach the game as the desktop's: the game's keys press and release,
// Enter and the like type their control character once, a typed character (but never a
// key's name) arrives as Latin-1.
TEST(WebKeys, GameKeysPressControlKeysAndCharactersType) {
    int owner = 0;
    EXPECT_EQ(
        Codes(platform::web::KeyMessages(&owner, "ArrowLeft", 37, true), InputMessage::KeyDown),
        std::vector<std::uint64_t>{37});
    EXPECT_EQ(Codes(platform::web::KeyMessages(&owner, "F7", 118, false), InputMessage::KeyUp),
              std::vector<std::uint64_t>{118});
    EXPECT_EQ(Codes(platform::web::KeyMessages(&owner, "Enter", 13, true), InputMessage::Char),
              std::vector<std::uint64_t>{13});
    EXPECT_TRUE(platform::web::KeyMessages(&owner, "Enter", 13, false).empty());
    EXPECT_EQ(Codes(platform::web::KeyMessages(&owner, "\xC3\xA9", 0, true), InputMessage::Char),
              std::vector<std::uint64_t>{0xE9});
    EXPECT_EQ(Codes(platform::web::KeyMessages(&owner, "s", 83, true), InputMessage::Char),
              std::vector<std::uint64_t>{'s'});
    EXPECT_TRUE(platform::web::KeyMessages(&owner, "Dead", 0, true).empty());
    EXPECT_TRUE(
        platform::web::KeyMessages(&owner, "\xE2\x82\xAC", 0, true).empty()); // the euro sign
    EXPECT_EQ(platform::web::KeyMessages(&owner, "a", 65, true).front().window, &owner);
}

// The page keeps the game's keys from the browser (arrows would scroll, Tab move the
// focus, Space scroll) but leaves it reload, full screen, its tools and its shortcuts;
// a shortcut types nothing into the game.
TEST(WebKeys, ThePageKeepsTheGamesKeysAndLeavesTheBrowserItsOwn) {
    using platform::web::HandleKey;
    using platform::web::KeyEvent;
    int owner = 0;
    for (const KeyEvent& key :
         {KeyEvent{"ArrowDown", 40, true, false}, KeyEvent{"Tab", 9, true, false},
          KeyEvent{" ", 32, true, false}, KeyEvent{"F7", 118, true, false},
          KeyEvent{"p", 80, false, false}}) {
        EXPECT_TRUE(HandleKey(&owner, key).keepFromBrowser) << key.key;
    }
    for (const KeyEvent& key : {KeyEvent{"F5", 116, true, false}, KeyEvent{"F12", 123, true, false},
                                KeyEvent{"Unidentified", 0, true, false}}) {
        const auto handling = HandleKey(&owner, key);
        EXPECT_FALSE(handling.keepFromBrowser) << key.key;
        EXPECT_TRUE(handling.messages.empty()) << key.key;
    }
    const auto reload = HandleKey(&owner, KeyEvent{"r", 82, true, true});
    EXPECT_FALSE(reload.keepFromBrowser);
    EXPECT_TRUE(reload.messages.empty());
    // Ctrl+Z and Ctrl+Y are the editor's: they type the desktop's control characters.
    const auto undo = HandleKey(&owner, KeyEvent{"z", 90, true, true});
    EXPECT_TRUE(undo.keepFromBrowser);
    EXPECT_EQ(Codes(undo.messages, platform::kMessageChar), std::vector<std::uint64_t>{26});
    EXPECT_TRUE(HandleKey(&owner, KeyEvent{"y", 89, false, true}).messages.empty());
    const auto arrow = HandleKey(&owner, KeyEvent{"ArrowLeft", 37, true, true});
    EXPECT_FALSE(arrow.keepFromBrowser);
    EXPECT_EQ(Codes(arrow.messages, InputMessage::KeyDown), std::vector<std::uint64_t>{37});
}

} // namespace
