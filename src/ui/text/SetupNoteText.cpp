#include "text/SetupNoteText.h"

#include "text/SjisText.h"

QString DescribeSetupFileProblem(const SetupFileProblem_t& problem) {
  return FromSjis(DescribeInJapanese(problem));
}
