// The Linux edition's displays on a real X server (a private Xorg with the dummy driver,
// which has RandR CRTC gamma): the boost session boosts through RandR and puts the ramp back —
// the boost that Wine refuses for levels 41 to 47.
#include <gtest/gtest.h>

#include "fakes/display_fakes.h"
#include "gamma/boost_session.h"
#include "linux/x11/randr_displays_x11.h"

// Last: Xlib's macros (None, Status ...) would otherwise clash with the test framework's names.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace lumeq {
namespace {

using testing::FakeStore;

class RandrGamma : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X server";
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }
    // The server's own table for the first output, read straight from RandR.
    std::vector<unsigned short> ServerRed() {
        std::vector<unsigned short> red;
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        for (int i = 0; resources && i < resources->ncrtc && red.empty(); ++i) {
            XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, resources->crtcs[i]);
            if (gamma && gamma->size > 0) red.assign(gamma->red, gamma->red + gamma->size);
            if (gamma) XRRFreeGamma(gamma);
        }
        if (resources) XRRFreeScreenResources(resources);
        return red;
    }
    Display* display = nullptr;
};

TEST_F(RandrGamma, Level44BrightensAndTheServersRampComesBack) {
    RandrDisplays displays(display);
    ASSERT_TRUE(displays.Available());
    ASSERT_FALSE(displays.Names().empty());
    const std::vector<unsigned short> before = ServerRed();
    ASSERT_FALSE(before.empty());

    FakeStore store;
    store.value = "44";
    BoostSession session({displays, store, nullptr, nullptr, nullptr});
    EXPECT_FALSE(session.Start().refused);
    EXPECT_EQ(session.Level().level, 44);
    const GammaRamp boosted = BuildRamp(ExponentOfLevel(44));
    const std::vector<unsigned short> shown = ServerRed();
    ASSERT_EQ(shown.size(), before.size());
    for (std::size_t j = 0; j < shown.size(); ++j) {
        const int i = static_cast<int>(j * 255 / (shown.size() - 1));
        EXPECT_NEAR(shown[j], boosted.At(0, i), 257) << j;
    }
    EXPECT_GT(shown[shown.size() / 4], before[before.size() / 4] + 4000);  // brighter, for real

    EXPECT_TRUE(session.Stop());
    EXPECT_EQ(ServerRed(), before);
    EXPECT_EQ(store.value, "44");
}

TEST_F(RandrGamma, AnOutputThatIsNotThereIsGoneNotRefused) {
    RandrDisplays displays(display);
    RampTable table;
    EXPECT_FALSE(displays.Read("NO-SUCH-OUTPUT", table));
    EXPECT_FALSE(displays.Write("NO-SUCH-OUTPUT", IdentityTable(256)));
    EXPECT_EQ(displays.Primary(), displays.Names().front());
}

}  // namespace
}  // namespace lumeq
