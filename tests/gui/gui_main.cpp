// One offscreen QApplication for the whole run, with settings in a folder of the run's own.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/temp_dir.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const palabrum::testing::TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.File("data").string()));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
