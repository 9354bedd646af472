// Writes the project as an input data file or as the stage file of its
// current stage. Writing first prepares the project: the tables of
// switched-off options are emptied (their data are gone), the last
// wall-stiffness row becomes constant, and the four control values are
// recomputed from the switches.
#pragma once

#include <string>

namespace kestra {

class TProgramData;

// The whole file as text, CR LF line ends; prepares the project.
std::string InputFileText(TProgramData& data);
// The current stage as one problem: title " Stage No : k" from stage 2 on,
// no long-term block, terminator k.
std::string StageFileText(TProgramData& data);

// To FileName / StageFileName, replacing the old file only after a complete
// write; throws EInOutError, and then the old file is as it was.
void WriteInputFile(TProgramData& data);
void WriteStageFile(TProgramData& data);

}  // namespace kestra
