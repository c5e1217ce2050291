#pragma once

class QWebEngineProfile;

// The one browser profile of the program: kept in memory only (the textbook
// writes nothing to disk) and with every network request refused, so course
// pages work offline and never reach out. Created on first use.
QWebEngineProfile *CourseProfile();
