#pragma once
// Each QtTest class registers itself here, so one binary runs them all.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace korvana::ui::test {

using SuiteFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<SuiteFactory>& Registry() {
  static std::vector<SuiteFactory> suites;
  return suites;
}

template <typename Suite>
struct RegisterSuite {
  RegisterSuite() { Registry().push_back([] { return std::make_unique<Suite>(); }); }
};

}  // namespace korvana::ui::test
