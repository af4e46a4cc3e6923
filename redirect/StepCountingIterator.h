// A text position for the standard regex engine that pays one step from a
// shared allowance for every read, move and comparison, and throws Exhausted
// once the allowance is spent.
//
// libstdc++ matches by backtracking and never gives up by itself: a pattern
// such as "(a|a)*b" or "(|){30}x" takes exponential time on a short printer
// name, and a host would hang in a lookup. Every step of that search touches
// the text position, so paying per touch bounds the whole search without
// changing what a pattern means. Default-constructed positions carry no
// allowance and pay nothing.
#pragma once

#include <cstddef>
#include <iterator>

class StepCountingIterator {
 public:
  using iterator_category = std::bidirectional_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  struct Exhausted {};

  StepCountingIterator() = default;
  StepCountingIterator(const char* at, std::size_t* left) : at_(at), left_(left) {}

  reference operator*() const {
    Pay();
    return *at_;
  }
  pointer operator->() const {
    Pay();
    return at_;
  }
  StepCountingIterator& operator++() {
    Pay();
    ++at_;
    return *this;
  }
  StepCountingIterator operator++(int) {
    StepCountingIterator before = *this;
    ++*this;
    return before;
  }
  StepCountingIterator& operator--() {
    Pay();
    --at_;
    return *this;
  }
  StepCountingIterator operator--(int) {
    StepCountingIterator before = *this;
    --*this;
    return before;
  }
  friend bool operator==(const StepCountingIterator& a, const StepCountingIterator& b) {
    a.Pay();
    return a.at_ == b.at_;
  }

  // The position itself, free of charge: for reading a result once the
  // engine is done with it.
  const char* base() const { return at_; }

 private:
  void Pay() const {
    if (!left_) return;
    if (*left_ == 0) throw Exhausted{};
    --*left_;
  }

  const char* at_ = nullptr;
  std::size_t* left_ = nullptr;
};
