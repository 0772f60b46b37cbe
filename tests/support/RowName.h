// Rows of parameterised tests are structs with a szName field. RowName names a
// test after its row, so that a failure reads
// "Saturation/CalcDamageTest.RowsPerRegion/HitAtLimit", and PrintTo prints the
// row as that name instead of its bytes.
//
// The unnamed namespace is the one of the test file that includes this header,
// where its row structs live, so GoogleTest finds PrintTo next to them.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

template <class T>
std::string RowName(const ::testing::TestParamInfo<T>& row) {
  return row.param.szName;
}

namespace {

template <class T>
requires requires(const T& row) {
  row.szName;
}
void PrintTo(const T& row, std::ostream* pOut) {
  *pOut << row.szName;
}

}  // namespace
