#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the stand-ins of the build's tool root as real processes.

struct ToolRun {
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
};

enum class Network {
    host,
    // A network namespace of its own, reaching nothing outside: lo is up, 192.0.2.0/24
    // (TEST-NET-1) is routed into lo where nothing answers, and the default route goes via
    // 192.0.2.1 on lo.
    isolated,
    // The same, plus a tun interface "tun0" that is up.
    isolatedWithTunnel,
};

// The stand-in for an absolute tool path ("/sbin/ping" is <tool root>/sbin/ping).
QString toolPath(const QString& absolutePath);

ToolRun runTool(const QString& absolutePath, const QStringList& arguments,
                Network network = Network::host);

// Runs a host program the same way, for comparisons with a stand-in.
ToolRun runProgram(const QString& program, const QStringList& arguments, Network network);

// Whether this process may create network namespaces (it needs CAP_SYS_ADMIN; CI runs as root).
bool canIsolateNetwork();

// Whether tun interfaces can be created (/dev/net/tun is present).
bool canCreateTunnel();

// Checks that a run was refused as an unexpected invocation: exit status 64, nothing on standard
// output, a usage line on standard error.
void expectUsageRefusal(const ToolRun& run);
