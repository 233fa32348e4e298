#pragma once
// A bracket taken for a scope (the caret hidden, an update lock raised, a compound edit
// open) and released on every path out of it. The closing action runs when the scope
// ends; when the scope is left by an exception, a failure of the closing action is
// dropped so that the first exception goes on (a second one would end the program).
#include <exception>
#include <utility>

template <typename Close>
class [[nodiscard]] Bracket {
 public:
  explicit Bracket(Close close)
      : FClose(std::move(close)), FExceptions(std::uncaught_exceptions()) {}
  ~Bracket() noexcept(false) {
    if (std::uncaught_exceptions() == FExceptions) {
      FClose();
      return;
    }
    try {
      FClose();
    } catch (...) {
    }
  }
  Bracket(const Bracket&) = delete;
  Bracket& operator=(const Bracket&) = delete;

 private:
  Close FClose;
  int FExceptions;
};

// Runs Open now and Close when the returned bracket goes out of scope.
template <typename Open, typename Close>
Bracket<Close> Bracketed(Open&& open, Close close) {
  open();
  return Bracket<Close>(std::move(close));
}

// Raises a counter (an update lock) for the scope.
inline auto Raised(int& counter) {
  return Bracketed([&counter] { ++counter; }, [&counter] { --counter; });
}

// Sets a flag for the scope.
inline auto Flagged(bool& flag) {
  return Bracketed([&flag] { flag = true; }, [&flag] { flag = false; });
}
