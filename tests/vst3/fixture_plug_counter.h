// The fixture's instance counter alone, for tests that see the plug-in only through raw slots.
#pragma once

extern int gFixtureInstances;
