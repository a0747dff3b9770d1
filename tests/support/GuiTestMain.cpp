// The main of every GUI test program, run by ctest once per test function:
//   PROGRAM --list                  the test functions, one "Class::function" a line (no window opens)
//   PROGRAM Class::function [...]   one test function, with Qt Test's other arguments after it
//   PROGRAM Class [...]             one class
//   PROGRAM [...]                   every class
// The tests run with the program's own application object, so that errors escaping a handler reach the
// same top-level report as in the program, and with every message box and file dialog in test mode,
// so that no test waits on a modal window.
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "tests/support/GuiTest.h"
#include "ui/Application.h"

#include <QMetaMethod>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct RegisteredClass {
    const QMetaObject* meta;
    GuiTest::Factory make;
};

std::vector<RegisteredClass>& registry() {
    static std::vector<RegisteredClass> classes;
    return classes;
}

// The functions Qt Test runs as tests: private slots without parameters that are neither a set-up
// or clean-up function nor a data function.
std::vector<std::string> testFunctions(const QMetaObject& meta) {
    std::vector<std::string> functions;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        const std::string name = method.name().toStdString();
        if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private ||
            method.parameterCount() != 0 || name == "initTestCase" || name == "cleanupTestCase" ||
            name == "init" || name == "cleanup" || name.ends_with("_data"))
            continue;
        functions.push_back(name);
    }
    return functions;
}

int runClass(const RegisteredClass& testClass, std::vector<char*> arguments) {
    const std::unique_ptr<QObject> test = testClass.make();
    return QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
}

} // namespace

bool GuiTest::Register(const QMetaObject& testClass, Factory make) {
    registry().push_back({&testClass, make});
    return true;
}

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const RegisteredClass& testClass : registry())
            for (const std::string& function : testFunctions(*testClass.meta))
                std::printf("%s::%s\n", testClass.meta->className(), function.c_str());
        return 0;
    }

    TKeywright24Application application(argc, argv);
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);

    // A first argument naming a class, or a class and a function, chooses what runs.
    std::string className;
    std::string function;
    if (argc > 1 && argv[1][0] != '-') {
        const std::string chosen = argv[1];
        const auto separator = chosen.find("::");
        className = chosen.substr(0, separator);
        if (separator != std::string::npos)
            function = chosen.substr(separator + 2);
    }
    int failed = 0;
    bool found = className.empty();
    for (const RegisteredClass& testClass : registry()) {
        if (!className.empty() && className != testClass.meta->className())
            continue;
        found = true;
        std::vector<char*> arguments{argv[0]};
        if (!function.empty())
            arguments.push_back(function.data());
        for (int i = className.empty() ? 1 : 2; i < argc; ++i)
            arguments.push_back(argv[i]);
        failed += runClass(testClass, arguments) != 0 ? 1 : 0;
    }
    if (!found) {
        std::fprintf(stderr, "%s: no test class %s\n", argv[0], className.c_str());
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
