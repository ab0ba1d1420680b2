// Reading and setting the gauge's two user velocities against the simulated gauge.

#include "gauge/user_velocity.h"
#include "sim/velocity_store.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

class UserVelocityTest : public SimulatedGaugeTest {
  protected:
    void SetUp() override {
        SimulatedGaugeTest::SetUp();
        store = sim::teachVelocities(*gauge);
    }
    std::vector<std::string> commandsSent() const {
        std::vector<std::string> sent;
        for (const auto& call : calls()) {
            if (call.name == "bulk_write" && call.result > 0) {
                sent.push_back(call.bytes);
            }
        }
        return sent;
    }
    // The gauge answers every "get user" with this text and an end marker.
    void answerGetWith(const std::string& text) {
        gauge->addCommand("get user ", [text](const std::string&) { return sim::textReply(text); });
    }

    std::shared_ptr<sim::VelocityStore> store;
    UserVelocityExchange exchange{link};
};

TEST(VelocityReply, TheValueEndsAtTheFirstBlankAndTheUnitFollows) {
    struct Case {
        const char* reply;
        bool valid;
        const char* value;
        const char* unit;
    };
    for (const Case& c :
         {Case{"5918 m/s", true, "5918", "m/s"}, Case{"0.2330 in/us\r\n", true, "0.2330", "in/us"},
          Case{"0.2330 ", true, "0.2330", ""}, Case{"12 m/s extra", true, "12", "m/s extra"},
          Case{"5918", false, "", ""}, Case{" 5918 m/s", false, "", ""}, Case{"", false, "", ""}}) {
        SCOPED_TRACE(c.reply);
        const auto reply = parseVelocityReply(c.reply);
        ASSERT_EQ(reply.has_value(), c.valid);
        if (c.valid) {
            EXPECT_EQ(reply->value, c.value);
            EXPECT_EQ(reply->unit, c.unit);
        }
    }
    EXPECT_EQ(getUserCommand("velocity1", "in/us"), "get user velocity1 in/us");
    EXPECT_EQ(setUserCommand("velocity2", "0.25", "m/s"), "set user velocity2 0.25 m/s");
}

TEST_F(UserVelocityTest, ARefusedSetShowsTheGaugesWordsAsAWarning) {
    struct RefusalCase {
        VelocitySettings settings;
        int taken;
        std::vector<Said> said;
    };
    const std::vector<RefusalCase> cases = {
        {{{{"abc", "in/us"}, {"5918", "m/s"}}},
         1,
         {{MessageKind::Warning, "ERROR invalid value abc"}}},
        {{{{"0.2330", "furlongs"}, {"x", "m/s"}}},
         0,
         {{MessageKind::Warning, "ERROR unknown unit furlongs"},
          {MessageKind::Warning, "ERROR invalid value x"}}},
        {{{{"0.2330", "in/us"}, {"5918", "m/s"}}}, 2, {}},
    };
    for (auto c : cases) {
        voice.said.clear();
        EXPECT_EQ(exchange.setVelocities(c.settings), c.taken);
        EXPECT_EQ(voice.said, c.said);
    }
    EXPECT_EQ(store->velocity(1).value, "5918");
}

TEST_F(UserVelocityTest, SetWithEmptyBoxesSendsZeroForBoth) {
    VelocitySettings settings = {{{"", "in/us"}, {"", "in/us"}}};
    const std::int64_t start = clock.nowMs();
    EXPECT_EQ(exchange.setVelocities(settings), 2);
    EXPECT_EQ(commandsSent(), (std::vector<std::string>{"set user velocity1 0 in/us",
                                                        "set user velocity2 0 in/us"}));
    EXPECT_EQ(settings[0].value, "0");
    EXPECT_EQ(settings[1].value, "0");
    EXPECT_EQ(store->velocity(0).value, "0");
    EXPECT_EQ(store->velocity(1).unit, "in/us");
    EXPECT_TRUE(voice.said.empty());
    // The drain after opening and the silence after each reply.
    EXPECT_EQ(clock.nowMs() - start, 3000);
    EXPECT_FALSE(link.opened());
    EXPECT_EQ(callNames().back(), "close");
}

TEST_F(UserVelocityTest, GetTakesTheValueAndTheUnitTheGaugeReports) {
    store->setVelocity(0, {"0.2330", "in/us"});
    store->setVelocity(1, {"5918", "m/s"});
    VelocitySettings settings = {{{"old1", "in/us"}, {"old2", "m/s"}}};
    EXPECT_EQ(exchange.getVelocities(settings), 2);
    EXPECT_EQ(commandsSent(),
              (std::vector<std::string>{"get user velocity1 in/us", "get user velocity2 m/s"}));
    EXPECT_EQ(settings[0].value, "0.2330");
    EXPECT_EQ(settings[0].unit, "in/us");
    EXPECT_EQ(settings[1].value, "5918");
    EXPECT_EQ(settings[1].unit, "m/s");
    EXPECT_TRUE(voice.said.empty());
}

TEST_F(UserVelocityTest, AReplyInAnotherUnitBringsThatUnit) {
    answerGetWith("6320 m/s");
    VelocitySettings settings = {{{"", "in/us"}, {"", "in/us"}}};
    EXPECT_EQ(exchange.getVelocities(settings), 2);
    EXPECT_EQ(settings[0].value, "6320");
    EXPECT_EQ(settings[0].unit, "m/s");
}

TEST_F(UserVelocityTest, AReplyThatIsNoVelocityLeavesTheVelocityAsItWasAndSaysSo) {
    for (const char* reply : {"12345", "fast m/s", "1.2.3 m/s", " 12 m/s"}) {
        SCOPED_TRACE(reply);
        voice = RecordingVoice();
        answerGetWith(reply);
        VelocitySettings settings = {{{"0.1", "in/us"}, {"", "m/s"}}};
        EXPECT_EQ(exchange.getVelocities(settings), 0);
        EXPECT_EQ(settings[0].value, "0.1");
        EXPECT_EQ(settings[0].unit, "in/us");
        EXPECT_EQ(settings[1].value, "");
        ASSERT_EQ(voice.said.size(), 2u);
        EXPECT_EQ(voice.said[0].text,
                  "The Gage's answer to \"get user velocity1 in/us\" is not a velocity and a "
                  "unit. The velocity is unchanged. Its answer:\n\n" +
                      std::string(reply));
    }
}

TEST_F(UserVelocityTest, WithoutAGaugeEachButtonShowsTheLinkFailureOnceAndSendsNothing) {
    sim::virtualBus().unplugAll();
    VelocitySettings settings = {{{"1", "in/us"}, {"2", "m/s"}}};
    EXPECT_EQ(exchange.getVelocities(settings), -1);
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, texts.linkFailureMessage()}}));
    EXPECT_EQ(exchange.setVelocities(settings), -1);
    EXPECT_EQ(voice.said.size(), 2u);
    EXPECT_TRUE(commandsSent().empty());
    EXPECT_EQ(settings[0].value, "1");
    EXPECT_FALSE(voice.waitCursor);
}

TEST_F(UserVelocityTest, TheSecondCommandIsSentWhenTheFirstCannotBe) {
    busFaults().failWrites = 2;  // the command and its resend
    VelocitySettings settings = {{{"0.25", "in/us"}, {"6000", "m/s"}}};
    EXPECT_EQ(exchange.setVelocities(settings), 1);
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error, "Error in writing command to USB device"}}));
    EXPECT_EQ(commandsSent(), (std::vector<std::string>{"set user velocity2 6000 m/s"}));
    EXPECT_EQ(store->velocity(1).value, "6000");
}

TEST(SimulatedVelocities, TheGaugeConvertsKnownUnitsAndChecksWhatItIsGiven) {
    sim::VelocityStore store;
    EXPECT_EQ(store.set("velocity1 0.2330 in/us"), "OK");
    EXPECT_EQ(store.get("velocity1 in/us"), "0.2330 in/us");
    EXPECT_EQ(store.get("velocity1 m/s"), "5918 m/s");
    EXPECT_EQ(store.set("velocity2 6000 m/s"), "OK");
    EXPECT_EQ(store.get("velocity2 in/us"), "0.2362 in/us");
    EXPECT_EQ(store.get("velocity2 ft/s"), "6000 m/s");
    EXPECT_EQ(store.set("velocity2 fast m/s").rfind("ERROR ", 0), 0u);
    EXPECT_EQ(store.set("velocity2 1 km/h").rfind("ERROR ", 0), 0u);
    EXPECT_EQ(store.set("velocity3 1 m/s").rfind("ERROR ", 0), 0u);
    EXPECT_EQ(store.get("velocity2 m/s"), "6000 m/s");
}

TEST(SimulatedVelocities, AGaugeWithAFolderKeepsItsVelocitiesBetweenRuns) {
    ScratchFolder log;
    const std::string file = sim::velocityFileIn(log.path());
    {
        sim::VelocityStore first(file);
        EXPECT_EQ(first.set("velocity2 0.1250 in/us"), "OK");
    }
    sim::VelocityStore second(file);
    EXPECT_EQ(second.velocity(1).value, "0.1250");
    EXPECT_EQ(second.velocity(1).unit, "in/us");
    EXPECT_EQ(second.velocity(0).value, "0.2330");
    // Kept out of the data log's listing.
    EXPECT_TRUE(sim::DataLog(log.path()).names().empty());
}

}  // namespace
}  // namespace korvel::test
