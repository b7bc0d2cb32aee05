#include "app/usage_text.h"

#include <QStringList>

QString usage_text() {
  const QString rule = QStringLiteral("--------------------------------------------");
  const QStringList lines = {
      QStringLiteral("模拟真人搜索百度等引擎判断文章原创性，效果取决于设定的判断参数！"),
      rule,
      QStringLiteral("两种判断方式，比例都是相对于实际检测的句子总数的百分比："),
      QStringLiteral("“按收录率判断非原创”：被检测的句子中被搜索引擎收录的比例达到设定的判断比例，"
                     "即判为非原创文章。"),
      QStringLiteral("“按未收录率判断原创”：被检测的句子中未被收录的比例达到设定的判断比例，"
                     "即判为原创文章。"),
      rule,
      QStringLiteral("举例：检测 10 句，判断比例 60%。按未收录率判断时，10 句里有 6 句在搜索引擎中"
                     "找不到，就判为原创文章；按收录率判断时，10 句里有 6 句被收录，就判为非原创文章。"
                     "结论一旦确定，剩下的句子就不再搜索。"),
      rule,
      QStringLiteral("每句最少字数：字数不到这个数的句子不用于检测。字数设多一些，句子的判断更准确。"),
      rule,
      QStringLiteral("访问间隔秒：访问搜索引擎过快可能会被屏蔽，导致判断失败，"
                     "一般 1.5 秒到 2 秒的间隔为好。"),
      rule,
      QStringLiteral("把要检测的文章标题和内容粘贴到这里，勾选“检测标题”或“检测内容”，"
                     "再点“立即检测 >>>”。"),
      QStringLiteral("澜岫·原创文章检测器 v1.41：程序说明见随程序附带的 README.md，"
                     "点窗口下方的“程序说明 README”即可打开。"),
  };
  return lines.join(QStringLiteral("\n"));
}
