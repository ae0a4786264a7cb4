#include <gtest/gtest.h>

#include <fstream>

#include "core/base/listen_address.h"
#include "core/console/console_guard.h"
#include "core/console/form_data.h"
#include "core/console/settings_forms.h"
#include "core/echolink/node_schedule_rules.h"
#include "core/settings/program_conf.h"
#include "core/settings/settings_format.h"
#include "core/settings/timing_setup.h"

namespace vox {
namespace {

TEST(ListenAddress, ReadsHostAndPort) {
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        int port;
        bool loopback;
    };
    const Case cases[] = {
        {"127.0.0.1:8073", true, "127.0.0.1", 8073, true},
        {"[::1]:8073", true, "::1", 8073, true},
        {"0.0.0.0:80", true, "0.0.0.0", 80, false},
        {":8073", true, "", 8073, false},
        {"192.168.1.20:65535", true, "192.168.1.20", 65535, false},
        {"127.0.0.1:0", false, "", 0, false},
        {"127.0.0.1:65536", false, "", 0, false},
        {"127.0.0.1", false, "", 0, false},
        {"localhost:8073", false, "", 0, false},
        {"256.1.1.1:80", false, "", 0, false},
        {"1.2.3:80", false, "", 0, false},
        {"[::1:80", false, "", 0, false},
        {"127.0.0.1:80x", false, "", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ListenAddress a;
        ASSERT_EQ(parseListenAddress(c.text, &a), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(a.host, c.host);
        EXPECT_EQ(a.port, c.port);
        EXPECT_EQ(isLoopbackHost(a.host), c.loopback);
    }
}

TEST(ListenAddress, VoxclockConfWebUiSection) {
    struct Case {
        const char* lines;
        const char* listen;
        std::size_t warnings;
    };
    const Case cases[] = {
        {"", "127.0.0.1:8073", 0},
        {"[web_ui]\nlisten = 0.0.0.0:8080\n", "0.0.0.0:8080", 0},
        {"[web_ui]\nlisten =\n", "", 0},
        {"[web_ui]\nlisten = somewhere\n", "127.0.0.1:8073", 1},
        {"[web_ui]\nport = 80\n", "127.0.0.1:8073", 1},
    };
    const std::string path = ::testing::TempDir() + "voxclock-webui.conf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        std::ofstream(path) << c.lines;
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf.webUi.listen, c.listen);
        EXPECT_EQ(r.warnings.size(), c.warnings);
    }
}

TEST(ConsoleForm, ParsesBodiesAndCookies) {
    struct Case {
        const char* body;
        bool ok;
        FormFields fields;
    };
    const Case cases[] = {
        {"", true, {}},
        {"a=1&b=two+words", true, {{"a", "1"}, {"b", "two words"}}},
        {"code=%2A8%2A&x=%3Cscript%3E", true, {{"code", "*8*"}, {"x", "<script>"}}},
        {"a=&&b=2", true, {{"a", ""}, {"b", "2"}}},
        {"a=1&a=2", false, {}},
        {"novalue", false, {}},
        {"a=%4", false, {}},
        {"a=%zz", false, {}},
        {"a=%00", false, {}},
        {"=1", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const auto parsed = parseFormBody(c.body);
        ASSERT_EQ(parsed.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(*parsed, c.fields);
        }
    }
    EXPECT_EQ(cookieValue("a=1; vxsession=abc ; b=2", "vxsession"), "abc");
    EXPECT_EQ(cookieValue("xvxsession=abc", "vxsession"), "");
    EXPECT_EQ(cookieValue("", "vxsession"), "");
}

std::string fixedRandom(std::size_t n) {
    static int counter = 0;
    return std::string(n, static_cast<char>('a' + (++counter % 20)));
}

ConsoleRequest post(std::string host, std::string origin, std::string cookie = {},
                    std::string csrf = {}) {
    return {"POST",
            "/api/press",
            "10.0.0.9",
            std::move(host),
            std::move(origin),
            std::move(cookie),
            std::move(csrf),
            10,
            true};
}

// On loopback nobody logs in, but the Host must be this machine and changes need the token and
// the page's own origin.
TEST(ConsoleGuard, LoopbackChecksHostOriginAndToken) {
    ConsoleGuard guard(true, "", fixedRandom);
    const std::string token = guard.csrfToken({});
    ASSERT_FALSE(token.empty());
    struct Case {
        const char* what;
        ConsoleRequest request;
        Verdict verdict;
    };
    ConsoleRequest get{"GET", "/", "127.0.0.1", "127.0.0.1:8073", "", "", "", 0, false};
    ConsoleRequest rebound = get;
    rebound.host = "evil.example:8073";
    ConsoleRequest big = post("127.0.0.1:8073", "http://127.0.0.1:8073", "", token);
    big.bodyBytes = 64 * 1024 + 1;
    const Case cases[] = {
        {"a page", get, Verdict::Allow},
        {"localhost",
         [&] {
             auto r = get;
             r.host = "localhost:8073";
             return r;
         }(),
         Verdict::Allow},
        {"a rebound name", rebound, Verdict::Forbidden},
        {"a change", post("127.0.0.1:8073", "http://127.0.0.1:8073", "", token), Verdict::Allow},
        {"no token", post("127.0.0.1:8073", "http://127.0.0.1:8073"), Verdict::Forbidden},
        {"wrong token", post("127.0.0.1:8073", "http://127.0.0.1:8073", "", "x"),
         Verdict::Forbidden},
        {"foreign origin", post("127.0.0.1:8073", "http://evil.example", "", token),
         Verdict::Forbidden},
        {"no origin", post("127.0.0.1:8073", "", "", token), Verdict::Forbidden},
        {"a body over 64 KiB", big, Verdict::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(guard.check(c.request, 0).verdict, c.verdict);
    }
}

TEST(ConsoleGuard, OffLoopbackEverythingNeedsALogin) {
    ConsoleGuard guard(false, "s3cret", fixedRandom);
    const std::string host = "192.168.1.5:8073", origin = "http://192.168.1.5:8073";
    EXPECT_EQ(guard.check(post(host, origin), 0).verdict, Verdict::NeedLogin);
    ConsoleRequest loginPage{"GET", "/login", "10.0.0.9", host, "", "", "", 0, false};
    EXPECT_EQ(guard.checkOpen(loginPage, 0).verdict, Verdict::Allow);
    EXPECT_EQ(guard.login(post(host, origin), "wrong", 0).decision.verdict, Verdict::NeedLogin);
    const ConsoleGuard::Login ok = guard.login(post(host, origin), "s3cret", 0);
    ASSERT_EQ(ok.decision.verdict, Verdict::Allow);
    EXPECT_NE(ok.setCookie.find("HttpOnly"), std::string::npos);
    EXPECT_NE(ok.setCookie.find("SameSite=Strict"), std::string::npos);
    const std::string cookie = ok.setCookie.substr(0, ok.setCookie.find(';'));
    const std::string token = guard.csrfToken(post(host, origin, cookie));
    ASSERT_FALSE(token.empty());
    EXPECT_EQ(guard.check(post(host, origin, cookie, token), 1).verdict, Verdict::Allow);
    EXPECT_EQ(guard.check(post(host, origin, cookie), 1).verdict, Verdict::Forbidden);
    EXPECT_EQ(guard.check(post(host, "http://evil.example", cookie, token), 1).verdict,
              Verdict::Forbidden);
    // A session left idle too long is gone.
    EXPECT_EQ(guard.check(post(host, origin, cookie, token), 1 + 13 * 3600).verdict,
              Verdict::NeedLogin);
}

TEST(ConsoleGuard, TenFailedLoginsAMinuteThenRefusedLoggedOnceAMinute) {
    ConsoleGuard guard(false, "s3cret", fixedRandom);
    const ConsoleRequest r = post("192.168.1.5:8073", "http://192.168.1.5:8073");
    std::vector<std::string> logged;
    for (int i = 0; i < 10; ++i) {
        const auto login = guard.login(r, "guess", i);
        EXPECT_EQ(login.decision.verdict, Verdict::NeedLogin);
        if (!login.decision.logLine.empty())
            logged.push_back(login.decision.logLine);
    }
    // The eleventh, even with the right secret, waits for the minute to pass.
    const auto blocked = guard.login(r, "s3cret", 20);
    EXPECT_EQ(blocked.decision.verdict, Verdict::TooManyLogins);
    EXPECT_TRUE(blocked.setCookie.empty());
    EXPECT_EQ(guard.login(r, "s3cret", 30).decision.verdict, Verdict::TooManyLogins);
    // Another address is not held back.
    ConsoleRequest other = r;
    other.peer = "10.0.0.10";
    EXPECT_EQ(guard.login(other, "s3cret", 30).decision.verdict, Verdict::Allow);
    EXPECT_EQ(guard.login(r, "s3cret", 61).decision.verdict, Verdict::Allow);
    EXPECT_EQ(logged.size(), 1u);
}

TEST(ConsoleGuard, SixteenConnections) {
    ConsoleGuard guard(true, "", fixedRandom);
    std::string line;
    EXPECT_TRUE(guard.connectionAllowed(15, 0, &line));
    EXPECT_FALSE(guard.connectionAllowed(16, 0, &line));
    EXPECT_FALSE(line.empty());
    line.clear();
    EXPECT_FALSE(guard.connectionAllowed(16, 30, &line));
    EXPECT_TRUE(line.empty());
}

const SettingsPageContext kContext{"/nonexistent-voxclock", {"Default", "USB"}, {}};

std::string fieldValue(const SettingsPage& page, const std::string& name) {
    for (const FormField& f : page.fields)
        if (f.name == name)
            return f.value;
    return "<none>";
}

// What the rules change is shown as stored: a number clamped, a code upper-cased, a call
// upper-cased; a form the page cannot take changes nothing.
TEST(SettingsForms, AppliedThroughTheDialogRules) {
    struct Case {
        const char* page;
        FormFields form;
        bool ok;
        const char* field;
        const char* shown;
    };
    const Case cases[] = {
        {"timing", {{"tbCWMinutes", "7"}}, true, "tbCWMinutes", "7"},
        {"timing", {{"tbCWMinutes", "99999"}}, true, "tbCWMinutes", "32767"},
        {"timing", {{"tbCWMinutes", "x"}}, true, "tbCWMinutes", "0"},
        {"timing", {{"cbCWID", "2"}}, false, "cbCWID", "1"},
        {"timing", {{"nosuch", "1"}}, false, "tbCWMinutes", "10"},
        {"dtmf", {{"tbDTMFLock", " badc "}}, true, "tbDTMFLock", "BADC"},
        {"dtmf", {{"tbDTMFPlayTime", "a1*"}}, true, "tbDTMFPlayTime", "A1*"},
        {"remote", {{"n0_node", "k1abc"}, {"n0_delay", "3"}}, true, "n0_node", "K1ABC"},
        {"remote", {{"n0_delay", "3"}}, true, "n0_delay", "10"},
        {"remote", {{"n2_daily", "1"}, {"n2_d0", "1"}}, true, "n2_daily", "0"},
        {"remote", {{"n2_daily", "0"}}, true, "n2_daily", "1"},
        {"voice", {{"cboSpeed", "4"}}, true, "cboSpeed", "4"},
        {"voice", {{"cboSpeed", "5"}}, false, "cboSpeed", "2"},
        {"voice", {{"tbQuietStart", " 22:00 "}}, true, "tbQuietStart", "22:00"},
        {"sound", {{"lstDevice", "1"}}, true, "lstDevice", "1"},
        {"sound", {{"lstDevice", "2"}}, false, "lstDevice", "0"},
        {"info", {{"tbFolder", "/home/me/info"}, {"tbFile", "a.txt"}}, true, "tbFile", "a.txt"},
        {"nosuch", {}, false, "", "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " " + c.field);
        Settings settings;
        const Settings before = settings;
        const FormApplied applied = applySettingsForm(c.page, c.form, settings, kContext);
        EXPECT_EQ(applied.ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(settings, before);
        }
        const auto page = settingsPage(c.page, settings, kContext);
        if (page) {
            EXPECT_EQ(fieldValue(*page, c.field), c.shown);
        }
    }
}

// The settings file the console writes is the one the dialogs' rules write for the same input.
TEST(SettingsForms, WritesTheFileTheDialogsWrite) {
    Settings console;
    ASSERT_TRUE(applySettingsForm("timing", {{"tbCWMinutes", "7"}}, console, kContext).ok);
    ASSERT_TRUE(applySettingsForm("remote",
                                  {{"n1_node", "w2xyz-l"},
                                   {"n1_auto", "1"},
                                   {"n1_t0", "08:00"},
                                   {"n1_t1", "09:00"},
                                   {"n1_delay", "30"},
                                   {"n1_d2", "1"}},
                                  console, kContext)
                    .ok);

    Settings dialog;
    TimingSetupValues timing = loadTimingSetup(dialog);
    timing.cwMinutes = "7";
    saveTimingSetup(timing, dialog);
    NodeScheduleRow row = loadNodeScheduleRow(dialog.RemoteNodes[1]);
    row.node = "w2xyz-l";
    row.autoConnect = true;
    row.times[0] = "08:00";
    row.times[1] = "09:00";
    row.delay = "30";
    setDay(row, 2, true);
    for (std::size_t i = 0; i < 8; ++i)
        dialog.RemoteNodes[i] =
            saveNodeScheduleRow(i == 1 ? row : loadNodeScheduleRow(dialog.RemoteNodes[i]));
    EXPECT_EQ(formatSettingsFile(console), formatSettingsFile(dialog));
}

TEST(SettingsForms, PageJsonQuotesStrangerText) {
    Settings settings;
    settings.RemoteNodes[0].Node = "<script>\"x\"";
    const auto page = settingsPage("remote", settings, kContext);
    ASSERT_TRUE(page);
    const std::string json = settingsPageJson(*page);
    EXPECT_NE(json.find("\"<script>\\\"x\\\"\""), std::string::npos) << json;
}

}  // namespace
}  // namespace vox
