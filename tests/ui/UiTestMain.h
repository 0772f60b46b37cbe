// One QtTest program for the whole window: every test class registers itself
// with VELKAR_UI_TEST and UiTestMain.cpp runs them all, one after another, on
// one QApplication (the offscreen platform unless told otherwise).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

using UiTestFactory_t = std::function<std::unique_ptr<QObject>()>;

std::vector<UiTestFactory_t>& RegisteredUiTests();

struct UiTestRegistration_t {
  explicit UiTestRegistration_t(UiTestFactory_t factory) {
    RegisteredUiTests().push_back(std::move(factory));
  }
};

#define VELKAR_UI_TEST(Class)                              \
  static const UiTestRegistration_t s_registration##Class( \
      [] { return std::unique_ptr<QObject>(std::make_unique<Class>()); });
