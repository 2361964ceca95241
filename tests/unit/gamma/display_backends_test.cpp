// The display backends' table: one choice, made in one place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "gamma/display_backends.h"
#include "fakes/display_fakes.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

TEST(DisplayBackends, ASessionOpensOnlyItsOwnRowsAndRecordsOnlyWhereTheServerKeepsOurTable) {
    testing::FakeDisplay wlr, mutter, randr;
    std::vector<std::string> opened;
    const auto row = [&](std::string name, SessionKind session, bool restores, DisplayRamp* displays) {
        return DisplayBackend{name, session, true, true, restores, [&opened, name, displays]() -> DisplayRamp* {
                                  opened.push_back(name);
                                  return displays;
                              }};
    };
    std::vector<DisplayBackend> table{row("randr", SessionKind::X11, false, &randr),
                                      row("wlr", SessionKind::Wayland, true, nullptr),
                                      row("mutter", SessionKind::Wayland, false, &mutter)};

    const ChosenBackend gnome = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(opened, (std::vector<std::string>{"wlr", "mutter"}));  // never X11 gamma under Wayland
    EXPECT_EQ(gnome.displays, &mutter);
    EXPECT_TRUE(gnome.NeedsRecord());
    EXPECT_NE(gnome.log.find("mutter"), std::string::npos);

    table[1] = row("wlr", SessionKind::Wayland, true, &wlr);
    opened.clear();
    const ChosenBackend sway = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(opened, std::vector<std::string>{"wlr"});
    EXPECT_FALSE(sway.NeedsRecord());

    table.resize(1);
    const ChosenBackend kde = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(kde.displays, nullptr);
    EXPECT_FALSE(kde.NeedsRecord());
}

}  // namespace
}  // namespace lumeq
