#pragma once

#include <cassert>
#include <exception>
#include <type_traits>
#include <utility>
#include <variant>

namespace Async::detail {

// What a task of result type T hands back: T itself, or an empty stand-in for void.
template <class T> struct ValueOf { using type = T; };
template <> struct ValueOf<void> { using type = std::monostate; };
template <class T> using ValueOf_t = typename ValueOf<T>::type;

// The outcome of a finished task: a value or the exception it ended with.
template <class T> class Result {
public:
    using Value = ValueOf_t<T>;

    void setValue(Value value) { storage_.template emplace<valueIndex>(std::move(value)); }
    void setException(std::exception_ptr error) {
        storage_.template emplace<errorIndex>(std::move(error));
    }

    bool isSet() const noexcept { return storage_.index() != emptyIndex; }
    bool hasException() const noexcept { return storage_.index() == errorIndex; }
    std::exception_ptr exception() const {
        return hasException() ? std::get<errorIndex>(storage_) : nullptr;
    }

    // Moves the value out, or rethrows the exception.
    Value take() {
        assert(isSet());
        if (hasException()) {
            std::rethrow_exception(std::get<errorIndex>(storage_));
        }
        return std::move(std::get<valueIndex>(storage_));
    }

    // Copies the value out (for several readers), or rethrows the exception.
    Value get() const {
        assert(isSet());
        if (hasException()) {
            std::rethrow_exception(std::get<errorIndex>(storage_));
        }
        return std::get<valueIndex>(storage_);
    }

private:
    static constexpr std::size_t emptyIndex = 0;
    static constexpr std::size_t valueIndex = 1;
    static constexpr std::size_t errorIndex = 2;

    std::variant<std::monostate, Value, std::exception_ptr> storage_;
};

// The value of a finished task as its awaiter returns it: nothing for void.
template <class T> T takeResult(Result<T>& result) {
    if constexpr (std::is_void_v<T>) {
        result.take();
    } else {
        return result.take();
    }
}

template <class T> T getResult(const Result<T>& result) {
    if constexpr (std::is_void_v<T>) {
        result.get();
    } else {
        return result.get();
    }
}

} // namespace Async::detail
