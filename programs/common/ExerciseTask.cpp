#include "ExerciseTask.h"

ExerciseTask::~ExerciseTask() = default;
