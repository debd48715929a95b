#pragma once
// The page writer through which every printed sheet is drawn.
