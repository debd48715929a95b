#pragma once
// The phosphate arithmetic of a field that runs in code rather than as a stored rule.
