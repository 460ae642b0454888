#pragma once

#include <QString>
#include <QStringList>

// A network namespace of the test's own, named uniquely for the process and
// deleted with the object. Nothing in it reaches outside.
class TestNetworkNamespace {
public:
    TestNetworkNamespace();
    ~TestNetworkNamespace();
    TestNetworkNamespace(const TestNetworkNamespace&) = delete;
    TestNetworkNamespace& operator=(const TestNetworkNamespace&) = delete;

    // Creates the namespace and brings its loopback up. Empty on success,
    // else why namespaces are refused here.
    QString create();

    // Runs `ip -n <name> <arguments>`; a failure is a test failure.
    bool ip(const QStringList& arguments) const;

    // The index of an interface in the namespace, or 0.
    int interfaceIndex(const QString& interfaceName) const;

    const QString& name() const { return name_; }

private:
    QString name_;
    bool isCreated_ = false;
};
