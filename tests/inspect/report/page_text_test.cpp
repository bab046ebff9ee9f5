// The report page's text pieces: every text from a case escaped, numbers as
// the page prints them, the details file, the dates, the plot's points and
// the SVG taken into a page.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "inspect/report/details.h"
#include "inspect/report/html.h"
#include "inspect/report/options.h"
#include "inspect/report/page.h"
#include "inspect/report/picture.h"

namespace {

TEST(PageText, TextFromACaseNeverBecomesMarkup) {
  const struct {
    std::string cp1252;
    std::string html;
  } cases[] = {
      {"</title><script>alert('x')</script>", "&lt;/title&gt;&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
      {"a \"b\" & c", "a &quot;b&quot; &amp; c"},
      {"igni\xE7\xE3o \x80", "igni\xC3\xA7\xC3\xA3o \xE2\x82\xAC"},  // Windows-1252 to UTF-8
      {std::string("nul\0cr\rlf\n", 10),
       "nul\xEF\xBF\xBD"
       "cr\xEF\xBF\xBD"
       "lf\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(html_text(c.cp1252), c.html) << c.cp1252;
  // The companion's own UTF-8 text: escaped the same, a stray byte replaced.
  EXPECT_EQ(html_utf8("N\xC2\xB7s <x> \xFF"), "N\xC2\xB7s &lt;x&gt; \xEF\xBF\xBD");
}

TEST(PageText, NumbersAndAddresses) {
  const struct {
    double x;
    int decimals;
    std::string shown;
  } cases[] = {{61.4036, 3, "61,404"}, {-0.0001, 3, "0,000"},         {208.66, 1, "208,7"},
               {2.0, 0, "2"},          {INFINITY, 2, "\xE2\x80\x94"}, {NAN, 2, "\xE2\x80\x94"}};
  for (const auto& c : cases) EXPECT_EQ(page_number(c.x, c.decimals), c.shown) << c.x;
  EXPECT_EQ(json_figure("burn.peak_N", 86.156, 2), "<span data-json=\"burn.peak_N\">86,16</span>");
  EXPECT_EQ(page_href("teste 1#a.eng"), "./teste%201%23a.eng");
  EXPECT_EQ(page_href("igni\xE7\xE3o.txt"), "./igni%C3%A7%C3%A3o.txt");
  EXPECT_EQ(page_href("javascript:x"), "./javascript%3Ax");
}

TEST(PageText, Dates) {
  for (const char* good : {"2024-02-29", "2017-10-29", "2000-02-29", "1999-12-31"}) EXPECT_TRUE(valid_date(good));
  for (const char* bad : {"2023-02-29", "1900-02-29", "2017-13-01", "2017-04-31", "17-10-29", "2017/10/29",
                          "2017-10-2x", "", "2017-10-290"}) {
    EXPECT_FALSE(valid_date(bad)) << bad;
  }
}

TEST(PageText, DetailsAreRememberedAndReplacedOneByOne) {
  ReportDetails given;
  given.motor = "F67 \xC3\xA7";  // UTF-8 from the command line
  given.date = "2017-10-29";
  const ReportDetails first = merge_report_details({}, given);
  const std::string file = report_details_text(first);
  EXPECT_EQ(file, "motor = F67 \xE7\r\ndata = 2017-10-29\r\n");
  ReportDetails later;
  later.notes = "  segundo  ";
  const ReportDetails second = merge_report_details(read_report_details(file + "lixo sem igual\r\nx = y\r\n"), later);
  EXPECT_EQ(second.motor, first.motor);
  EXPECT_EQ(second.date, "2017-10-29");
  EXPECT_EQ(second.notes, "segundo");
  EXPECT_FALSE(second.team.has_value());
}

TEST(PageText, ThePlotGetsFewPointsAndKeepsThePeak) {
  std::vector<double> t;
  std::vector<double> F;
  for (int i = 0; i < 200000; ++i) {
    t.push_back(i * 1e-4);
    F.push_back(i == 123457 ? 500.0 : std::sin(i * 1e-3));
  }
  const std::string data = page_plot_data(t, F, 1.0, 19.0);
  std::size_t lines = 0;
  for (char c : data) lines += c == '\n';
  EXPECT_LE(lines, kPagePlotPoints);
  EXPECT_GE(lines, kPagePlotPoints * 9 / 10);
  EXPECT_NE(data.find(" 500\n"), std::string::npos);
  EXPECT_EQ(data.substr(0, 2), "1 ");
  // A short stretch is drawn whole.
  EXPECT_EQ(page_plot_data(t, F, 0.0, 0.0002), "0 0\n1e-04 0.0009999998333333417\n2e-04 0.0019999986666669333\n");
}

TEST(PageText, TheSvgComesWithoutAddressesOrScripts) {
  const std::string svg =
      "<?xml version=\"1.0\"?>\n<svg \n xmlns=\"http://www.w3.org/2000/svg\"\n"
      " xmlns:xlink=\"http://www.w3.org/1999/xlink\"\n><g/></svg>\n";
  EXPECT_EQ(inline_svg(svg), "<svg \n\n\n><g/></svg>");
  EXPECT_EQ(inline_svg("<svg><script>x</script></svg>"), "");
  EXPECT_EQ(inline_svg("<svg><image href='http://x'/></svg>"), "");
  EXPECT_EQ(inline_svg("no picture"), "");
  // The script draws both pictures and holds no mouse or script reference.
  PlotMarks marks;
  marks.box = {"Impulso: 1 N's"};
  const std::string script = page_plot_script(marks, "c.dat", "g.svg", "g.png");
  EXPECT_NE(script.find("set terminal svg"), std::string::npos);
  EXPECT_NE(script.find("set terminal pngcairo"), std::string::npos);
  EXPECT_EQ(script.find("mouse"), std::string::npos);
  EXPECT_EQ(script.find("jsdir"), std::string::npos);
  EXPECT_NE(script.find("'Impulso: 1 N''s'"), std::string::npos);
}

}  // namespace
