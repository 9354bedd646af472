// The stage files of a staged project: one complete problem per stage
// beside the input data file (Wall.ks5d keeps stage 2 in Wall.st2), from
// which the input data file is assembled and into which it is split again.
#pragma once

#include <string>

#include "input_file_kind.h"

namespace kestra {

class TProgramData;

inline constexpr int kMaxStages = 5;

// `file_name` with its extension replaced by ".st" and the stage number.
std::string StageFileName(const std::string& file_name, int stage);

// Writes the current stage to its stage file.
void WriteCurrentStage(TProgramData& data);
// Reads the current stage's file when it exists; a missing file leaves the
// project as it was. Returns the reader's message.
std::string ReadCurrentStage(TProgramData& data);

// Joins stage files 1..stage_count of `source` into `target`. A missing or
// unreadable stage file throws EInOutError before anything is written.
void AssembleStagedFile(const std::string& source, int stage_count,
                        const std::string& target);

// Cuts a staged input data file into its stage files: a line holding
// " Stage No :" starts the next stage. Writes as many as the file delimits,
// at most `stage_count`, and deletes the others. Returns the number written.
int SplitStagedFile(const std::string& path, int stage_count);

// Deletes the stage files of `file_name` numbered above `keep`.
void DeleteStageFilesAbove(const std::string& file_name, int keep);

// Moves stage files 1..stage_count of `from` to the same numbers of `to`.
void MoveStageFiles(const std::string& from, const std::string& to,
                    int stage_count);

// Rewrites the stage files split from a file of an older `format` in the
// current one, then shows stage 1; nothing to do for the current format.
// Returns the first reader message, if any.
std::string ConvertStageFiles(TProgramData& data, InputFileKind format);

// The staged-construction dialog's OK with `count` stages (1 to 5): the
// stage files are written (a new stage starts as a copy of the one before
// it) and surplus ones deleted; with 1 stage all are deleted. Returns the
// first reader message, if any.
std::string ApplyStageCount(TProgramData& data, int count);

}  // namespace kestra
