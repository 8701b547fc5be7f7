#pragma once

#include <QByteArray>

namespace quarvel::test {

// A catver.ini as front-ends keep it: comments, a [Category] section with untidy lines, and
// a [VerAdded] section whose entries must not become categories.
inline const QByteArray CatverFixture = ";; catver.ini fixture ;;\n"
                                        "\n"
                                        "[Category]\n"
                                        "pacman=Maze / Collect\n"
                                        "mspacman=Maze / Collect\n"
                                        "; a comment line\n"
                                        "galaga = Shooter / Flying Vertical \n"
                                        "noequals\n"
                                        "=orphanvalue\n"
                                        "emptyvalue=\n"
                                        "PacMan=Shooter\n"
                                        "zaxxon=Shooter / Flying Diagonal * Mature *\n"
                                        "\n"
                                        "[VerAdded]\n"
                                        "pacman=0.30\n"
                                        "dkong=.1\n";

// A small list in the sectioned format of the built-in list.
inline const QByteArray SectionsFixture = "[FOLDER_SETTINGS]\r\n"
                                          "RootFolderIcon mame\r\n"
                                          "\r\n"
                                          "[ROOT_FOLDER]\r\n"
                                          "\r\n"
                                          "[Ball & Paddle / Breakout]\r\n"
                                          "arkanoid\r\n"
                                          "\r\n"
                                          "[Maze / Collect]\r\n"
                                          "pacman\r\n";

} // namespace quarvel::test
