#include "System/ShellWiFiNetworkMetadataResolver.h"

#include "Platform/Async/CancellationError.h"
#include "Support/TestRuntime.h"
#include "System/CommandRunnerError.h"

#include <gtest/gtest.h>
#include <memory>
#include <variant>
#include <vector>

namespace {

// Answers every request with the one outcome the test set, and records the requests.
class FakeCommandRunner final : public CommandRunning {
public:
    using Outcome = std::variant<QString, CommandRunnerError, Async::CancellationError>;

    void answer(Outcome outcome) { outcome_ = std::move(outcome); }

    Async::Task<CommandExecutionResult> run(CommandRequest request) override {
        requests.push_back(request);
        if (const auto* error = std::get_if<CommandRunnerError>(&outcome_)) {
            throw *error;
        }
        if (const auto* cancelled = std::get_if<Async::CancellationError>(&outcome_)) {
            throw *cancelled;
        }
        co_return CommandExecutionResult{.executable = request.executable,
                                         .arguments = request.arguments,
                                         .exitCode = 0,
                                         .standardOutput = std::get<QString>(outcome_),
                                         .standardError = {}};
    }

    std::vector<CommandRequest> requests;

private:
    Outcome outcome_ = QString();
};

const QString ipconfig = QStringLiteral("/usr/sbin/ipconfig");
const QString ifconfig = QStringLiteral("/sbin/ifconfig");

// Every way a run can fail, for each command.
std::vector<FakeCommandRunner::Outcome> failures(const QString& executable, const QString& output) {
    return {
        CommandRunnerError(CommandRunnerError::ExecutableNotAllowed{executable}),
        CommandRunnerError(CommandRunnerError::LaunchFailed{QStringLiteral("no such file")}),
        CommandRunnerError(CommandRunnerError::TimedOut{executable, 2.0}),
        CommandRunnerError(CommandRunnerError::Cancelled{executable}),
        CommandRunnerError(CommandRunnerError::OutputDecodingFailed{executable}),
        CommandRunnerError(CommandRunnerError::NonZeroExit{executable, 1, output, QString()}),
        Async::CancellationError(),
    };
}

const QString ifconfigWithTunnel =
    QStringLiteral("lo0: flags=8049<UP,LOOPBACK,RUNNING,MULTICAST> mtu 16384\n"
                   "\tinet 127.0.0.1 netmask 0xff000000\n"
                   "en0: flags=8863<UP,BROADCAST,SMART,RUNNING,SIMPLEX,MULTICAST> mtu 1500\n"
                   "\tinet 192.168.1.23 netmask 0xffffff00 broadcast 192.168.1.255\n"
                   "utun0: flags=8051<UP,POINTOPOINT,RUNNING,MULTICAST> mtu 1380\n"
                   "\tinet6 fe80::1%utun0 prefixlen 64 scopeid 0xa\n");

} // namespace

class ShellWiFiNetworkMetadataResolverTest : public testing::Test {
protected:
    std::optional<QString> ipv4Address(const QString& interfaceName) {
        return runtime.runToCompletion([&]() -> Async::Task<std::optional<QString>> {
            co_return co_await resolver.ipv4Address(interfaceName);
        });
    }
    bool isVPNActive() {
        return runtime.runToCompletion(
            [&]() -> Async::Task<bool> { co_return co_await resolver.isVPNActive(); });
    }

    TestRuntime runtime;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    ShellWiFiNetworkMetadataResolver resolver{runner, 2.0};
};

TEST_F(ShellWiFiNetworkMetadataResolverTest, AsksIpconfigForTheInterfaceAddress) {
    runner->answer(QStringLiteral("192.168.1.23\n"));

    EXPECT_EQ(ipv4Address(QStringLiteral("wlan0")), QStringLiteral("192.168.1.23"));
    EXPECT_EQ(runner->requests,
              (std::vector{CommandRequest{
                  .executable = ipconfig,
                  .arguments = {QStringLiteral("getifaddr"), QStringLiteral("wlan0")},
                  .timeout = 2.0}}));
}

TEST_F(ShellWiFiNetworkMetadataResolverTest, AFailedIpconfigRunGivesNoAddress) {
    for (const auto& failure : failures(ipconfig, QStringLiteral("10.0.0.2\n"))) {
        runner->answer(failure);
        EXPECT_EQ(ipv4Address(QStringLiteral("en0")), std::nullopt) << failure.index();
    }
}

TEST_F(ShellWiFiNetworkMetadataResolverTest, OutputThatIsNoDottedQuadGivesNoAddress) {
    for (const QString& output :
         {QString(), QStringLiteral("\n"), QStringLiteral("fe80::1\n"),
          QStringLiteral("256.1.1.1\n"), QStringLiteral("10.0.0\n"), QStringLiteral("10..0.1\n"),
          QStringLiteral("10.0.0.1 10.0.0.2\n")}) {
        runner->answer(output);
        EXPECT_EQ(ipv4Address(QStringLiteral("en0")), std::nullopt) << output.toStdString();
    }
}

TEST_F(ShellWiFiNetworkMetadataResolverTest, AsksIfconfigForATunnelInterface) {
    runner->answer(ifconfigWithTunnel);

    EXPECT_TRUE(isVPNActive());
    EXPECT_EQ(
        runner->requests,
        (std::vector{CommandRequest{.executable = ifconfig, .arguments = {}, .timeout = 2.0}}));
}

TEST_F(ShellWiFiNetworkMetadataResolverTest, TunnelsAreNamedUtunOrIpsec) {
    runner->answer(QStringLiteral("ipsec0: flags=8051<UP> mtu 1400\n"));
    EXPECT_TRUE(isVPNActive());

    runner->answer(QStringLiteral("lo0: flags=8049<UP> mtu 16384\n"
                                  "en0: flags=8863<UP> mtu 1500\n"
                                  "\tether a4:2b:b0:5e:10:24\n"
                                  "tun0: flags=8051<UP> mtu 1500\n"
                                  "bridge0: flags=8863<UP> mtu 1500 member: utun1\n"));
    EXPECT_FALSE(isVPNActive());

    runner->answer(QString());
    EXPECT_FALSE(isVPNActive());
}

TEST_F(ShellWiFiNetworkMetadataResolverTest, AFailedIfconfigRunMeansNoVPN) {
    for (const auto& failure : failures(ifconfig, ifconfigWithTunnel)) {
        runner->answer(failure);
        EXPECT_FALSE(isVPNActive()) << failure.index();
    }
}
