#pragma once

#include "AppState/NetworkChangeObserving.h"

// Keeps its callback and never calls it.
class NoOpNetworkChangeObserver final : public NetworkChangeObserving {
public:
    Callback onNetworkChange() const override { return onNetworkChange_; }
    void setOnNetworkChange(Callback callback) override { onNetworkChange_ = std::move(callback); }

    void start() override {}
    void stop() override {}

private:
    Callback onNetworkChange_;
};
