#pragma once

// Installs the Italian texts of the grid, filter and dialog components. Runs once at start-up,
// before the data module and any window exist: a grid view and a filter builder copy some texts
// when they are created. Running it again registers the same texts and changes nothing.
void installComponentTexts();
