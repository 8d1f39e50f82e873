#include <gtest/gtest.h>

#include <list>

#include "tovalin/error_reporter.hpp"

namespace {

xercesc::SAXParseException problem(const char16_t* message, const char16_t* systemId,
                                   XMLFileLoc line, XMLFileLoc column) {
    return xercesc::SAXParseException(message, nullptr, systemId, line, column);
}

TEST(ErrorReporter, ErrorsAndFatalErrorsAppendRecordsWarningsDoNot) {
    std::list<XMLERROR_TYPE> errors{{1, 1, "earlier", ""}};
    XcsErrorReporter reporter(&errors);
    reporter.warning(problem(u"only a warning", u"w.xml", 1, 2));
    EXPECT_FALSE(reporter.getSawErrors());
    EXPECT_EQ(errors.size(), 1u);

    reporter.error(problem(u"first", u"a.xml", 3, 4));
    reporter.fatalError(problem(u"second", nullptr, 7, 8));
    reporter.resetErrors();
    EXPECT_TRUE(reporter.getSawErrors());
    ASSERT_EQ(errors.size(), 3u);
    const XMLERROR_TYPE& first = *std::next(errors.begin());
    EXPECT_EQ(first.message, "first");
    EXPECT_EQ(first.systemId, "a.xml");
    EXPECT_EQ(first.lineNumber, 3u);
    EXPECT_EQ(first.columnNumber, 4u);
    EXPECT_EQ(errors.back().message, "second");
    EXPECT_EQ(errors.back().systemId, "");
    EXPECT_EQ(errors.back().lineNumber, 7u);
}

}  // namespace
