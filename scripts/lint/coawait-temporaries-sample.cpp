// What scripts/check-coawait-temporaries must flag (lines marked "flagged")
// and must leave alone. Checked on every run, so a matcher that stops finding
// what it is for fails the check instead of passing quietly.
#include <coroutine>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct Task {
    struct promise_type {
        Task get_return_object() { return {}; }
        std::suspend_never initial_suspend() { return {}; }
        std::suspend_never final_suspend() noexcept { return {}; }
        void return_void() {}
        void unhandled_exception() {}
    };
    bool await_ready() { return true; }
    void await_suspend(std::coroutine_handle<>) {}
    void await_resume() {}
    ~Task() {}
};

template <class Function> Task runOnPool(Function function) {
    function();
    return {};
}
struct Owned {
    std::shared_ptr<int> owner;
};
Task takeTexts(std::vector<std::string>) {
    return {};
}
Task takeOwned(Owned) {
    return {};
}
Task takeNumbers(const std::vector<int>&) {
    return {};
}
Task takeText(std::string) {
    return {};
}
std::vector<std::string> makeTexts() {
    return {};
}

Task flagged(std::shared_ptr<int> owner) {
    co_await runOnPool([owner] { return *owner; });    // flagged
    co_await takeTexts({"a", "b"});                    // flagged
    co_await takeOwned(Owned{owner});                  // flagged
    co_await takeOwned({owner});                       // flagged
    co_await takeNumbers({1, 2});                      // flagged
    co_await takeTexts(std::vector<std::string>{"a"}); // flagged
    co_await runOnPool([&]() -> Task {
        co_await takeOwned(Owned{owner}); // flagged
    });
}

Task allowed(std::shared_ptr<int> owner) {
    int number = 1;
    co_await runOnPool([&number] { return number; }); // a closure of references
    co_await runOnPool([number] { return number; });  // trivially destroyed
    auto named = [owner] { return *owner; };
    co_await runOnPool(std::move(named));
    co_await takeTexts(makeTexts());
    co_await takeText(std::string("x"));
    std::vector<std::string> texts{"a"};
    co_await takeTexts(texts);
    co_await runOnPool([&] { return std::vector<std::string>{"inside a lambda body"}; });
    co_await runOnPool([&]() -> Task {
        takeNumbers({1, 2}); // not awaited
        co_return;
    });
}

int main() {}
