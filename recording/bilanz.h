#pragma once
// The yearly nutrient statements of a farm.
