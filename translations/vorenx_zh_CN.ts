<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>%1 (%2, %3)</source>
        <translation>%1（%2，%3）</translation>
    </message>
    <message>
        <source>measure</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>source</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>range from</source>
        <translation>量程起点</translation>
    </message>
    <message>
        <source>range to</source>
        <translation>量程终点</translation>
    </message>
    <message>
        <source>% of reading</source>
        <translation>读数的 %</translation>
    </message>
    <message>
        <source>floor</source>
        <translation>底值</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>校准</translation>
    </message>
    <message>
        <source>%1 % at %2 %</source>
        <translation>%2 % 处 %1 %</translation>
    </message>
    <message>
        <source>Instruments</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Reference Standards</source>
        <translation>参考标准器</translation>
    </message>
    <message>
        <source>%1
This file does not exist.
Do you want to create it?</source>
        <translation>%1
该文件不存在。
是否创建？</translation>
    </message>
    <message>
        <source>Preparing pages...</source>
        <translation>正在准备页面...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>vorenx::AccuracyTableEdit</name>
    <message>
        <source>Function</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>Range from</source>
        <translation>量程起点</translation>
    </message>
    <message>
        <source>Range to</source>
        <translation>量程终点</translation>
    </message>
    <message>
        <source>% of reading</source>
        <translation>读数的 %</translation>
    </message>
    <message>
        <source>Floor</source>
        <translation>底值</translation>
    </message>
    <message>
        <source>Add row</source>
        <translation>添加行</translation>
    </message>
    <message>
        <source>Remove row</source>
        <translation>删除行</translation>
    </message>
    <message>
        <source>Use the default table</source>
        <translation>使用默认表</translation>
    </message>
    <message>
        <source>Accuracy, row %1: the %2 is not a number; write it with &quot;.&quot;, for example 0.002.</source>
        <translation>准确度，第 %1 行：%2 不是数字；请用“.”作小数点，例如 0.002。</translation>
    </message>
    <message>
        <source>No values of its own: calibrations with this standard use the documented default table. Add rows to enter the values of the standard&apos;s certificate.</source>
        <translation>无自有数值：使用该标准器的校准采用文档给出的默认表。添加行以输入该标准器证书中的数值。</translation>
    </message>
    <message>
        <source>%1 from the standard&apos;s certificate; the first row that covers a reading is used, and a function without a row gets no calibrator accuracy in a run.</source>
        <translation>%1 取自标准器证书；采用覆盖读数的第一行，没有对应行的功能在运行中不计校准器准确度。</translation>
    </message>
    <message>
        <source>One row</source>
        <translation>一行</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
</context>
<context>
    <name>vorenx::CAlarmDlg</name>
    <message>
        <source>Alarms</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上显示</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>下显示</translation>
    </message>
    <message>
        <source>Beep when an alarm is raised</source>
        <translation>报警时鸣响</translation>
    </message>
    <message>
        <source>Run program:</source>
        <translation>运行程序：</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Started when an alarm is raised, with the display (upper or lower), the reading and the limit as its three arguments; never through a shell.</source>
        <translation>报警时启动，以显示（上或下）、读数和限值作为三个参数；从不通过 shell。</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>High limit:</source>
        <translation>上限：</translation>
    </message>
    <message>
        <source>Low limit:</source>
        <translation>下限：</translation>
    </message>
    <message>
        <source>Hysteresis:</source>
        <translation>回差：</translation>
    </message>
    <message>
        <source>Alarm Program</source>
        <translation>报警程序</translation>
    </message>
</context>
<context>
    <name>vorenx::CCalibrationDlg</name>
    <message>
        <source>Calibration</source>
        <translation>校准</translation>
    </message>
    <message>
        <source>Start As-found</source>
        <translation>开始校前测试</translation>
    </message>
    <message>
        <source>Start As-left</source>
        <translation>开始校后测试</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>保存 CSV...</translation>
    </message>
    <message>
        <source>Save for Spreadsheet...</source>
        <translation>保存为电子表格...</translation>
    </message>
    <message>
        <source>Save Certificate...</source>
        <translation>保存证书...</translation>
    </message>
    <message>
        <source>Save Digital Certificate...</source>
        <translation>保存数字证书...</translation>
    </message>
    <message>
        <source>Save the digital calibration certificate (XML)</source>
        <translation>保存数字校准证书（XML）</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Set up the calibration, then start the as-found run.</source>
        <translation>设置校准，然后开始校前测试。</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>Saved as %1 (draft).</source>
        <translation>已保存为 %1（草稿）。</translation>
    </message>
    <message>
        <source>Calibration %1.</source>
        <translation>校准 %1。</translation>
    </message>
    <message numerus="yes">
        <source>%n run(s) waiting to be sent to the lab database.</source>
        <translation>
            <numerusform>%n 次运行等待发送到实验室数据库。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n run(s) sent to the lab database.</source>
        <translation>
            <numerusform>%n 次运行已发送到实验室数据库。</numerusform>
        </translation>
    </message>
    <message>
        <source>A calibration run is in progress: %1 can be calibrated once it has ended.</source>
        <translation>校准运行正在进行：待其结束后才能校准 %1。</translation>
    </message>
    <message>
        <source>The setup needs correcting where shown in red.</source>
        <translation>请更正以红色标出的设置。</translation>
    </message>
    <message>
        <source>Enter the ambient conditions where shown in red.</source>
        <translation>请在红色标出处输入环境条件。</translation>
    </message>
    <message>
        <source>The run could not be started.</source>
        <translation>无法开始运行。</translation>
    </message>
    <message>
        <source>The setup could not be kept for next time: %1</source>
        <translation>无法保存设置供下次使用：%1</translation>
    </message>
    <message>
        <source>Switch the calibrator&apos;s output on and source %1 into %2 for the %3 run?%4

No ends the run.</source>
        <translation>打开校准器输出，向%2输出 %1，进行%3运行？%4

选“否”结束运行。</translation>
    </message>
    <message>
        <source>the instrument under test</source>
        <translation>被校仪表</translation>
    </message>
    <message>
        <source> The run goes on from the point where it paused.</source>
        <translation> 运行将从暂停处继续。</translation>
    </message>
    <message>
        <source>The calibration could not be saved: %1</source>
        <translation>无法保存校准：%1</translation>
    </message>
    <message>
        <source>A calibration run is in progress. Abort it (the output goes off) and close?</source>
        <translation>校准运行正在进行。中止运行（输出将关闭）并关闭？</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>保存 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The results could not be written to %1: %2</source>
        <translation>无法将结果写入 %1：%2</translation>
    </message>
    <message>
        <source>Results saved to %1.</source>
        <translation>结果已保存到 %1。</translation>
    </message>
    <message>
        <source>Save for Spreadsheet</source>
        <translation>保存为电子表格</translation>
    </message>
    <message>
        <source>The certificate is issued when the calibration has reached the lab database: it is %1.</source>
        <translation>校准到达实验室数据库后方可出具证书：当前为%1。</translation>
    </message>
    <message>
        <source>The certificate cannot be issued: %1</source>
        <translation>无法出具证书：%1</translation>
    </message>
    <message>
        <source>Save Certificate</source>
        <translation>保存证书</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>Certificate saved to %1.</source>
        <translation>证书已保存到 %1。</translation>
    </message>
    <message>
        <source>The digital certificate is issued once the calibration is in the lab database.</source>
        <translation>校准进入实验室数据库后方可出具数字证书。</translation>
    </message>
    <message>
        <source>Save Digital Certificate</source>
        <translation>保存数字证书</translation>
    </message>
    <message>
        <source>Digital calibration certificates (*.xml)</source>
        <translation>数字校准证书 (*.xml)</translation>
    </message>
    <message>
        <source>Digital certificate saved to %1.</source>
        <translation>数字证书已保存到 %1。</translation>
    </message>
    <message>
        <source>Enter a number, for example 21.5.</source>
        <translation>请输入数字，例如 21.5。</translation>
    </message>
    <message>
        <source>Enter a number, for example 4 or 0.5.</source>
        <translation>请输入数字，例如 4 或 0.5。</translation>
    </message>
    <message>
        <source>The band must be more than 0 and at most 100 % of the tolerance.</source>
        <translation>带宽必须大于 0 且不超过容差的 100 %。</translation>
    </message>
    <message>
        <source>Enter the resolution of the instrument under test: its last digit in output units, more than 0.</source>
        <translation>请输入被校仪表的分辨力：其末位数字，以输出单位表示，大于 0。</translation>
    </message>
    <message>
        <source>to</source>
        <translation>至</translation>
    </message>
    <message>
        <source>Ambient conditions (now, before the run)</source>
        <translation>环境条件（当前，运行前）</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>温度：</translation>
    </message>
    <message>
        <source>Relative humidity:</source>
        <translation>相对湿度：</translation>
    </message>
    <message>
        <source>Instrument under test</source>
        <translation>被校仪表</translation>
    </message>
    <message>
        <source>Tag:</source>
        <translation>位号：</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
    <message>
        <source>Technician:</source>
        <translation>校准员：</translation>
    </message>
    <message>
        <source>Add standard...</source>
        <translation>添加标准器...</translation>
    </message>
    <message>
        <source>Reference standard:</source>
        <translation>参考标准器：</translation>
    </message>
    <message>
        <source>Input (sourced on the lower display)</source>
        <translation>输入（由下显示输出）</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>功能：</translation>
    </message>
    <message>
        <source>Span:</source>
        <translation>量程：</translation>
    </message>
    <message>
        <source>Output (measured on the upper display)</source>
        <translation>输出（由上显示测量）</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>线性</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>开方</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Points in % of the input span, separated by &quot;, &quot; or &quot;;&quot;; decimals with &quot;.&quot;</source>
        <translation>以输入量程的 % 表示的测试点，用“, ”或“;”分隔；小数点用“.”</translation>
    </message>
    <message>
        <source>Test points (%):</source>
        <translation>测试点 (%)：</translation>
    </message>
    <message>
        <source>Run down again (hysteresis)</source>
        <translation>再反向下行（回差）</translation>
    </message>
    <message>
        <source>% of span</source>
        <translation>量程的 %</translation>
    </message>
    <message>
        <source>output units</source>
        <translation>输出单位</translation>
    </message>
    <message>
        <source>Tolerance: ±</source>
        <translation>容差：±</translation>
    </message>
    <message>
        <source>The last digit of the instrument under test&apos;s output; half of it enters each point&apos;s uncertainty</source>
        <translation>被校仪表输出的末位数字；其一半计入每个点的不确定度</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨力：</translation>
    </message>
    <message>
        <source>Simple acceptance</source>
        <translation>简单接受</translation>
    </message>
    <message>
        <source>Guard band (w = U)</source>
        <translation>保护带 (w = U)</translation>
    </message>
    <message>
        <source>Simple acceptance: a point passes within the tolerance. Guard band: it passes within the tolerance less its uncertainty U, fails beyond the tolerance plus U, and is indeterminate between. The certificate states the rule.</source>
        <translation>简单接受：点在容差内即合格。保护带：点在容差减去其不确定度 U 以内为合格，超出容差加 U 为不合格，介于两者之间为无法判定。证书中注明所用规则。</translation>
    </message>
    <message>
        <source>Decision rule:</source>
        <translation>判定规则：</translation>
    </message>
    <message>
        <source>Settled when:</source>
        <translation>稳定条件：</translation>
    </message>
    <message>
        <source>readings within</source>
        <translation>个读数在</translation>
    </message>
    <message>
        <source>% of the tolerance</source>
        <translation>容差的 % 以内</translation>
    </message>
    <message>
        <source>Waiting:</source>
        <translation>等待：</translation>
    </message>
    <message>
        <source>s at most; a point not settled by then fails</source>
        <translation>秒以内；届时仍未稳定的点判为不合格</translation>
    </message>
    <message>
        <source>%1 could not be added to the register: %2</source>
        <translation>无法将 %1 加入登记册：%2</translation>
    </message>
    <message>
        <source>%1 (remembered: the lab database cannot be reached)</source>
        <translation>%1（已记住：无法连接实验室数据库）</translation>
    </message>
    <message>
        <source>%1 — %2, certificate %3, due %4</source>
        <translation>%1 — %2，证书 %3，到期 %4</translation>
    </message>
    <message>
        <source>(overdue)</source>
        <translation>（已逾期）</translation>
    </message>
    <message>
        <source>No reference standard in the register: add one</source>
        <translation>登记册中没有参考标准器：请添加</translation>
    </message>
    <message>
        <source>The lab database cannot be reached: %1</source>
        <translation>无法连接实验室数据库：%1</translation>
    </message>
    <message>
        <source>The standard could not be added: %1</source>
        <translation>无法添加标准器：%1</translation>
    </message>
    <message>
        <source>Choose the reference standard (or add one with Add standard...) before the run.</source>
        <translation>运行前请选择参考标准器（或用“添加标准器...”添加）。</translation>
    </message>
    <message>
        <source>The reference standard %1 was due on %2 and is overdue. Why is it used for %3? The reason is kept in the audit trail; without one the run does not start.</source>
        <translation>参考标准器 %1 已于 %2 到期，现已逾期。为何将其用于 %3？原因将记入审计追踪；无原因则运行不会开始。</translation>
    </message>
    <message>
        <source>The run was not started: an overdue reference standard is used only with a reason.</source>
        <translation>运行未开始：逾期的参考标准器只能在说明原因后使用。</translation>
    </message>
    <message>
        <source>The use of the overdue standard could not be recorded: %1</source>
        <translation>无法记录逾期标准器的使用：%1</translation>
    </message>
</context>
<context>
    <name>vorenx::CGridCtrl</name>
    <message>
        <source>Out of memory.</source>
        <translation>内存不足。</translation>
    </message>
    <message>
        <source>Cannot open the file &quot;%1&quot;: %2</source>
        <translation>无法打开文件“%1”：%2</translation>
    </message>
    <message>
        <source>Unable to save grid list</source>
        <translation>无法保存表格</translation>
    </message>
    <message>
        <source>%1 was left as it was; the lines written before the failure are in %2.</source>
        <translation>%1 保持原样；出错前写入的行在 %2 中。</translation>
    </message>
    <message>
        <source>%1 was left as it was; the readings are in %2: %3</source>
        <translation>%1 保持原样；读数在 %2 中：%3</translation>
    </message>
</context>
<context>
    <name>vorenx::CInstrumentEditDlg</name>
    <message>
        <source>Edit Instrument</source>
        <translation>编辑仪表</translation>
    </message>
    <message>
        <source> days</source>
        <translation> 天</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>制造商：</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>位置：</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>所有者：</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>周期：</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>Edit Instrument %1</source>
        <translation>编辑仪表 %1</translation>
    </message>
</context>
<context>
    <name>vorenx::CInstrumentsDlg</name>
    <message>
        <source>Instruments</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>已逾期</translation>
    </message>
    <message>
        <source>Due within 30 days</source>
        <translation>30 天内到期</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>显示：</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Last calibration</source>
        <translation>上次校准</translation>
    </message>
    <message>
        <source>As-found</source>
        <translation>校前</translation>
    </message>
    <message>
        <source>As-left</source>
        <translation>校后</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>到期</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>校准</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>编辑...</translation>
    </message>
    <message>
        <source>Standards...</source>
        <translation>标准器...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>History: open an instrument (double click or History).</source>
        <translation>历史：打开一台仪表（双击或点“历史”）。</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>证书</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>修订版</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>As-found largest error</source>
        <translation>校前最大误差</translation>
    </message>
    <message>
        <source>Previous as-left largest error</source>
        <translation>上次校后最大误差</translation>
    </message>
    <message>
        <source>The lab database cannot be read: %1</source>
        <translation>无法读取实验室数据库：%1</translation>
    </message>
    <message>
        <source>The instruments could not be read: %1</source>
        <translation>无法读取仪表：%1</translation>
    </message>
    <message>
        <source>now (never calibrated)</source>
        <translation>现在（从未校准）</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>已逾期</translation>
    </message>
    <message numerus="yes">
        <source>%n instrument(s) in %1.</source>
        <translation>
            <numerusform>%1 中有 %n 台仪表。</numerusform>
        </translation>
    </message>
    <message>
        <source>The history of %1 could not be read: %2</source>
        <translation>无法读取 %1 的历史：%2</translation>
    </message>
    <message>
        <source>History of %1</source>
        <translation>%1 的历史</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>Instrument %1 could not be read: %2</source>
        <translation>无法读取仪表 %1：%2</translation>
    </message>
</context>
<context>
    <name>vorenx::CLabSettingsDlg</name>
    <message>
        <source>Laboratory</source>
        <translation>实验室</translation>
    </message>
    <message>
        <source>DE</source>
        <translation>CN</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Authorised signatory:</source>
        <translation>授权签字人：</translation>
    </message>
    <message>
        <source>Signatory&apos;s role:</source>
        <translation>签字人职务：</translation>
    </message>
    <message>
        <source>Country (ISO 3166 code):</source>
        <translation>国家（ISO 3166 代码）：</translation>
    </message>
    <message>
        <source>Certificate language:</source>
        <translation>证书语言：</translation>
    </message>
</context>
<context>
    <name>vorenx::CReadingsLog</name>
    <message>
        <source>Copy All</source>
        <translation>全部复制</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>打印...</translation>
    </message>
    <message>
        <source>Export for a Spreadsheet...</source>
        <translation>导出为电子表格...</translation>
    </message>
    <message>
        <source>The readings could not be written to %1: %2</source>
        <translation>无法将读数写入 %1：%2</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上显示</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>下显示</translation>
    </message>
</context>
<context>
    <name>vorenx::CStandardDlg</name>
    <message>
        <source>Add Reference Standard</source>
        <translation>添加参考标准器</translation>
    </message>
    <message>
        <source>for example: new certificate DKD-5120 of 2026-03-02</source>
        <translation>例如：2026-03-02 的新证书 DKD-5120</translation>
    </message>
    <message>
        <source>Reason for the change:</source>
        <translation>变更原因：</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
    <message>
        <source>Certificate number:</source>
        <translation>证书编号：</translation>
    </message>
    <message>
        <source>Calibrated on:</source>
        <translation>校准日期：</translation>
    </message>
    <message>
        <source>Due on:</source>
        <translation>到期日期：</translation>
    </message>
    <message>
        <source>Accuracy:</source>
        <translation>准确度：</translation>
    </message>
    <message>
        <source>Edit Reference Standard %1</source>
        <translation>编辑参考标准器 %1</translation>
    </message>
    <message>
        <source>Calibration date</source>
        <translation>校准日期</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>到期日期</translation>
    </message>
    <message>
        <source>%1: write the date as YYYY-MM-DD, for example 2027-01-10.</source>
        <translation>%1：日期格式为 YYYY-MM-DD，例如 2027-01-10。</translation>
    </message>
    <message>
        <source>Reason: say why the standard&apos;s values change (a new certificate, a correction); the audit trail keeps it.</source>
        <translation>原因：说明标准器数值变更的原因（新证书、修正）；审计追踪将予以保存。</translation>
    </message>
</context>
<context>
    <name>vorenx::CStandardsDlg</name>
    <message>
        <source>Reference Standards</source>
        <translation>参考标准器</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>证书</translation>
    </message>
    <message>
        <source>Calibrated</source>
        <translation>校准于</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>到期</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>准确度</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>编辑...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The lab database cannot be read: %1</source>
        <translation>无法读取实验室数据库：%1</translation>
    </message>
    <message>
        <source>The reference standards could not be read: %1</source>
        <translation>无法读取参考标准器：%1</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>已逾期</translation>
    </message>
    <message>
        <source>default table</source>
        <translation>默认表</translation>
    </message>
    <message>
        <source>own table, 1 row</source>
        <translation>自有表，1 行</translation>
    </message>
    <message>
        <source>own table, %1 rows</source>
        <translation>自有表，%1 行</translation>
    </message>
    <message numerus="yes">
        <source>%n reference standard(s) in %1.</source>
        <translation>
            <numerusform>%1 中有 %n 个参考标准器。</numerusform>
        </translation>
    </message>
    <message>
        <source>The standard could not be added: %1</source>
        <translation>无法添加标准器：%1</translation>
    </message>
    <message>
        <source>The standard could not be changed: %1</source>
        <translation>无法修改标准器：%1</translation>
    </message>
</context>
<context>
    <name>vorenx::CStaticLCD</name>
    <message>
        <source>Save Image</source>
        <translation>保存图像</translation>
    </message>
    <message>
        <source>Save Data As Bmp...</source>
        <translation>将数据另存为 BMP...</translation>
    </message>
    <message>
        <source>Bmp File(*.bmp)</source>
        <translation>BMP 文件 (*.bmp)</translation>
    </message>
</context>
<context>
    <name>vorenx::CStatisticsWnd</name>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Start the figures since a reset over (the wave&apos;s window follows the wave)</source>
        <translation>从重置起重新统计（波形窗口跟随波形）</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上显示</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>下显示</translation>
    </message>
    <message>
        <source>Since the start</source>
        <translation>自启动以来</translation>
    </message>
    <message>
        <source>Since %1</source>
        <translation>自 %1 起</translation>
    </message>
    <message>
        <source>Since %1 (upper), %2 (lower)</source>
        <translation>自 %1（上显示）、%2（下显示）起</translation>
    </message>
    <message>
        <source>Over the wave&apos;s window (the newest %1 readings at most)</source>
        <translation>波形窗口内（最多最新的 %1 个读数）</translation>
    </message>
</context>
<context>
    <name>vorenx::CVorenxDlg</name>
    <message>
        <source>Save Data...</source>
        <translation>保存数据...</translation>
    </message>
    <message>
        <source>Run/Stop</source>
        <translation>运行/停止</translation>
    </message>
    <message>
        <source>Calibration...</source>
        <translation>校准...</translation>
    </message>
    <message>
        <source>Calibration...	Ctrl+K</source>
        <translation>校准...	Ctrl+K</translation>
    </message>
    <message>
        <source>Instruments...</source>
        <translation>仪表...</translation>
    </message>
    <message>
        <source>Laboratory...</source>
        <translation>实验室...</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图像</translation>
    </message>
    <message>
        <source>Unable to save the image &quot;%1&quot;</source>
        <translation>无法保存图像“%1”</translation>
    </message>
    <message>
        <source>New Window	Ctrl+N</source>
        <translation>新窗口	Ctrl+N</translation>
    </message>
    <message>
        <source>Statistics...</source>
        <translation>统计...</translation>
    </message>
    <message>
        <source>Alarms...</source>
        <translation>报警...</translation>
    </message>
    <message>
        <source>Cannot start another window.</source>
        <translation>无法启动另一个窗口。</translation>
    </message>
    <message>
        <source>Cannot open the journal folder %1</source>
        <translation>无法打开日志文件夹 %1</translation>
    </message>
</context>
<context>
    <name>vorenx::CalibrationResultsTable</name>
    <message>
        <source>%1 (drift against %2)</source>
        <translation>%1（相对 %2 的漂移）</translation>
    </message>
    <message>
        <source>Expanded uncertainty U of the point, k = 2 (about 95 %), in output units</source>
        <translation>该点的扩展不确定度 U，k = 2（约 95 %），以输出单位表示</translation>
    </message>
    <message>
        <source>Test uncertainty ratio: the tolerance over U</source>
        <translation>测试不确定度比：容差除以 U</translation>
    </message>
    <message>
        <source>test uncertainty ratio under %1:1</source>
        <translation>测试不确定度比低于 %1:1</translation>
    </message>
</context>
<context>
    <name>vorenx::CalibrationRun</name>
    <message>
        <source>Point %1 of %2 (%3 %%4)</source>
        <translation>第 %1 点，共 %2 点（%3 %%4）</translation>
    </message>
    <message>
        <source>, down</source>
        <translation>，下行</translation>
    </message>
    <message>
        <source>Not started.</source>
        <translation>尚未开始。</translation>
    </message>
    <message>
        <source>Setting the calibrator&apos;s functions up; the output stays off.</source>
        <translation>正在设置校准器的功能；输出保持关闭。</translation>
    </message>
    <message>
        <source>Waiting for the calibrator to answer; the output stays off.</source>
        <translation>正在等待校准器应答；输出保持关闭。</translation>
    </message>
    <message>
        <source>Ready. Connect the instrument under test, then confirm to switch the calibrator&apos;s output on.</source>
        <translation>就绪。请连接被校仪表，然后确认以打开校准器的输出。</translation>
    </message>
    <message>
        <source>%1: sourcing %2, waiting for the calibrator to show it.</source>
        <translation>%1：输出 %2，等待校准器显示该值。</translation>
    </message>
    <message>
        <source>%1: sourcing %2, waiting for the reading to settle (%3 readings).</source>
        <translation>%1：输出 %2，等待读数稳定（%3 个读数）。</translation>
    </message>
    <message>
        <source>Finished: %1 points recorded; the output was switched off.</source>
        <translation>完成：已记录 %1 个点；输出已关闭。</translation>
    </message>
    <message>
        <source>Ended early: %1. The output is off.</source>
        <translation>提前结束：%1。输出已关闭。</translation>
    </message>
    <message>
        <source>The calibrator stopped answering; the run is paused and the output was switched off. Check the connection; once it answers again, confirm to repeat the point at %1 %.</source>
        <translation>校准器停止应答；运行已暂停，输出已关闭。请检查连接；待其再次应答后，确认以重复 %1 % 处的点。</translation>
    </message>
    <message>
        <source>The calibrator is connected again; waiting for it to show its output off before the point at %1 % is repeated.</source>
        <translation>校准器已重新连接；在重复 %1 % 处的点之前，等待其显示输出已关闭。</translation>
    </message>
    <message>
        <source>The calibrator answers again; its output was switched off. Confirm to switch it on and repeat the point at %1 %.</source>
        <translation>校准器再次应答；其输出已关闭。确认以打开输出并重复 %1 % 处的点。</translation>
    </message>
</context>
<context>
    <name>vorenx::CertificateWords</name>
    <message>
        <source>Calibration certificate</source>
        <translation>校准证书</translation>
    </message>
    <message>
        <source> (continued)</source>
        <translation>（续）</translation>
    </message>
    <message>
        <source>Statements</source>
        <translation>声明</translation>
    </message>
    <message>
        <source>authorised signatory not set</source>
        <translation>未设置授权签字人</translation>
    </message>
    <message>
        <source>Calibrated by</source>
        <translation>校准人</translation>
    </message>
    <message>
        <source>Authorised signatory</source>
        <translation>授权签字人</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日期：</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 至 %2</translation>
    </message>
    <message>
        <source>as-found</source>
        <translation>校前</translation>
    </message>
    <message>
        <source>as-left</source>
        <translation>校后</translation>
    </message>
    <message>
        <source>%1 % of the input span, %2; %3</source>
        <translation>输入量程的 %1 %，%2；%3</translation>
    </message>
    <message>
        <source>up and down</source>
        <translation>上行和下行</translation>
    </message>
    <message>
        <source>up</source>
        <translation>上行</translation>
    </message>
    <message>
        <source> then </source>
        <translation>，然后</translation>
    </message>
    <message>
        <source>manufacturer %1, model %2, serial %3</source>
        <translation>制造商 %1，型号 %2，序列号 %3</translation>
    </message>
    <message>
        <source>Address %1</source>
        <translation>地址 %1</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>证书</translation>
    </message>
    <message>
        <source>Replaces</source>
        <translation>替代</translation>
    </message>
    <message>
        <source>certificate %1, revision %2</source>
        <translation>证书 %1，修订版 %2</translation>
    </message>
    <message>
        <source>Customer / owner</source>
        <translation>委托方 / 所有者</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>标识</translation>
    </message>
    <message>
        <source>Calibrated</source>
        <translation>校准于</translation>
    </message>
    <message>
        <source>Issued</source>
        <translation>签发</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>校准员</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>方法</translation>
    </message>
    <message>
        <source>Settling</source>
        <translation>稳定</translation>
    </message>
    <message>
        <source>Input (sourced)</source>
        <translation>输入（输出信号）</translation>
    </message>
    <message>
        <source>Output (measured)</source>
        <translation>输出（测量）</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>容差</translation>
    </message>
    <message>
        <source>Decision rule</source>
        <translation>判定规则</translation>
    </message>
    <message>
        <source>guard band w = U</source>
        <translation>保护带 w = U</translation>
    </message>
    <message>
        <source>simple acceptance</source>
        <translation>简单接受</translation>
    </message>
    <message>
        <source>Reference standard</source>
        <translation>参考标准器</translation>
    </message>
    <message>
        <source>Calibrator</source>
        <translation>校准器</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>环境</translation>
    </message>
    <message>
        <source>ambient %1, relative humidity %2</source>
        <translation>环境温度 %1，相对湿度 %2</translation>
    </message>
    <message>
        <source>Point %</source>
        <translation>测试点 %</translation>
    </message>
    <message>
        <source>Dir.</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>施加值</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>期望值</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>测量值</translation>
    </message>
    <message>
        <source>Error % span</source>
        <translation>误差 % 量程</translation>
    </message>
    <message>
        <source>U (%1, k = 2)</source>
        <translation>U（%1，k = 2）</translation>
    </message>
    <message>
        <source>TUR</source>
        <translatorcomment>same</translatorcomment>
        <translation>TUR</translation>
    </message>
    <message>
        <source>Drift % span</source>
        <translation>漂移 % 量程</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>down</source>
        <translation>下行</translation>
    </message>
    <message>
        <source>No earlier as-left of this tag to compare with.</source>
        <translation>该位号没有更早的校后结果可供比较。</translation>
    </message>
    <message>
        <source>, certificate %1</source>
        <translation>，证书 %1</translation>
    </message>
    <message>
        <source>No point in common with %1.</source>
        <translation>与 %1 没有共同的测试点。</translation>
    </message>
    <message>
        <source>Largest drift %1 % of span at %2 %, against %3.</source>
        <translation>最大漂移为量程的 %1 %，位于 %2 % 处，相对于 %3。</translation>
    </message>
    <message>
        <source>Audit trail&apos;s newest hash (SHA-256) when issued: %1</source>
        <translation>签发时审计追踪的最新哈希值（SHA-256）：%1</translation>
    </message>
    <message>
        <source>Issued with %1.</source>
        <translation>由 %1 签发。</translation>
    </message>
    <message>
        <source>Certificate %1 — %2</source>
        <translation>证书 %1 — %2</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>The certificate could not be written to %1: %2</source>
        <translation>无法将证书写入 %1：%2</translation>
    </message>
    <message>
        <source>the program has no graphical application to draw it with (start it with QGuiApplication; the offscreen platform is enough)</source>
        <translation>程序没有可用于绘制的图形应用（请以 QGuiApplication 启动；offscreen 平台即可）</translation>
    </message>
    <message>
        <source>Calibration certificate %1</source>
        <translation>校准证书 %1</translation>
    </message>
    <message>
        <source>the PDF could not be painted</source>
        <translation>无法绘制 PDF</translation>
    </message>
    <message>
        <source>nothing was written (is the disk full?)</source>
        <translation>未写入任何内容（磁盘已满？）</translation>
    </message>
    <message>
        <source>Error (% of output span) against input (% of input span)</source>
        <translation>误差（输出量程的 %）与输入（输入量程的 %）的关系</translation>
    </message>
    <message>
        <source>Input, % of span</source>
        <translation>输入，量程的 %</translation>
    </message>
    <message>
        <source>Tolerance ±%1 %</source>
        <translation>容差 ±%1 %</translation>
    </message>
    <message>
        <source>Write decimals with &quot;.&quot; and separate the points with &quot;, &quot; or &quot;;&quot; (for example &quot;0, 12.5, 50&quot;).</source>
        <translation>小数点用“.”，测试点之间用“, ”或“;”分隔（例如“0, 12.5, 50”）。</translation>
    </message>
    <message>
        <source>Enter at least one test point in % of the input span.</source>
        <translation>请至少输入一个以输入量程 % 表示的测试点。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>“%1”不是数字。</translation>
    </message>
    <message>
        <source>%1 readings within %2 % of the tolerance, at most %3 s</source>
        <translation>%1 个读数在容差的 %2 % 以内，最多 %3 秒</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Error % of span</source>
        <translation>误差（量程的 %）</translation>
    </message>
    <message>
        <source>Drift % of span</source>
        <translation>漂移（量程的 %）</translation>
    </message>
    <message>
        <source>Fail (not settled)</source>
        <translation>不合格（未稳定）</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>Indeterminate</source>
        <translation>无法判定</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>未记录</translation>
    </message>
    <message>
        <source>%1: %2in progress, %3 recorded.</source>
        <translation>%1：%2进行中，已记录 %3。</translation>
    </message>
    <message>
        <source>FAIL so far, </source>
        <translation>目前不合格，</translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 个点</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 个点</translation>
    </message>
    <message>
        <source> (conformity could not be decided at %1)</source>
        <translation>（%1 处无法判定符合性）</translation>
    </message>
    <message>
        <source> Largest error %1 % of span at %2 % %3.</source>
        <translation> 最大误差为量程的 %1 %，位于 %2 % %3 处。</translation>
    </message>
    <message>
        <source> Hysteresis %1 % of span.</source>
        <translation> 回差为量程的 %1 %。</translation>
    </message>
    <message>
        <source> Ended early: %1.</source>
        <translation> 提前结束：%1。</translation>
    </message>
    <message>
        <source>the last complete as-left, finished %1</source>
        <translation>最近一次完整的校后结果，完成于 %1</translation>
    </message>
    <message>
        <source>%1, record %2</source>
        <translation>%1，记录 %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分</translation>
    </message>
    <message>
        <source>%1 for %2</source>
        <translation>%1，持续 %2</translation>
    </message>
    <message>
        <source>%1 until the run ended</source>
        <translation>%1，直至运行结束</translation>
    </message>
    <message>
        <source>Interrupted: the calibrator stopped answering at %1.</source>
        <translation>已中断：校准器自 %1 起停止应答。</translation>
    </message>
    <message>
        <source>The revision this certificate replaces cannot be read: %1</source>
        <translation>无法读取本证书所替代的修订版：%1</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> 及另外 %1 个</translation>
    </message>
    <message>
        <source>the one point</source>
        <translation>唯一的测试点</translation>
    </message>
    <message>
        <source>%1 of %2 points</source>
        <translation>%2 个点中的 %1 个</translation>
    </message>
    <message>
        <source>Laboratory not set</source>
        <translation>未设置实验室</translation>
    </message>
    <message>
        <source>This certificate shall not be reproduced except in full without the written approval of the laboratory.</source>
        <translation>未经实验室书面批准，不得部分复制本证书。</translation>
    </message>
    <message>
        <source>not issued from the lab&apos;s records (tag %1)</source>
        <translation>非依据实验室记录签发（位号 %1）</translation>
    </message>
    <message>
        <source>%1, revision %2</source>
        <translation>%1，修订版 %2</translation>
    </message>
    <message>
        <source> (draft, not yet approved)</source>
        <translation>（草稿，尚未批准）</translation>
    </message>
    <message>
        <source>This certificate replaces certificate %1, revision %2.</source>
        <translation>本证书替代证书 %1，修订版 %2。</translation>
    </message>
    <message>
        <source>Decision rule: guard band w = U. A point conforms when its error is within the tolerance (%1) less its expanded uncertainty U, does not conform when it exceeds the tolerance by more than U, and conformity cannot be decided (indeterminate) between the two.</source>
        <translation>判定规则：保护带 w = U。点的误差在容差（%1）减去其扩展不确定度 U 以内时为符合，超出容差加 U 时为不符合，介于两者之间时无法判定符合性。</translation>
    </message>
    <message>
        <source>Decision rule: simple acceptance. A point conforms when its error is within the tolerance (%1); its expanded uncertainty U is stated but not taken from the tolerance.</source>
        <translation>判定规则：简单接受。点的误差在容差（%1）以内即为符合；给出其扩展不确定度 U，但不从容差中扣除。</translation>
    </message>
    <message>
        <source>%1: the run ended before its last point%2, so no statement of conformity is made.</source>
        <translation>%1：运行在最后一个点之前结束%2，因此不作符合性声明。</translation>
    </message>
    <message>
        <source>%1: conforms to the tolerance (%2) at its one point.</source>
        <translation>%1：在其唯一的测试点符合容差（%2）。</translation>
    </message>
    <message>
        <source>%1: conforms to the tolerance (%2) at all %3 points.</source>
        <translation>%1：在全部 %3 个测试点符合容差（%2）。</translation>
    </message>
    <message>
        <source>%1: does not conform to the tolerance (%2): it fails at %3 (%4).</source>
        <translation>%1：不符合容差（%2）：在 %3 处不合格（%4）。</translation>
    </message>
    <message>
        <source>conformity could not be decided at %1 (%2): the error lies within U of the tolerance limit.</source>
        <translation>在 %1（%2）处无法判定符合性：误差与容差限的距离在 U 以内。</translation>
    </message>
    <message>
        <source>The expanded uncertainty U is the combined standard uncertainty multiplied by the coverage factor k = 2, which for a normal distribution corresponds to a coverage probability of about 95 %.</source>
        <translation>扩展不确定度 U 为合成标准不确定度乘以包含因子 k = 2，对于正态分布，其对应的包含概率约为 95 %。</translation>
    </message>
    <message>
        <source>Points marked * have a test uncertainty ratio (tolerance over U) below %1:1.</source>
        <translation>标有 * 的点的测试不确定度比（容差除以 U）低于 %1:1。</translation>
    </message>
    <message>
        <source>At 0 % of a square-root output the input&apos;s sensitivity is unbounded: U there comes from the output side alone.</source>
        <translation>在开方输出的 0 % 处，对输入的灵敏度无界：该处 U 仅来自输出侧。</translation>
    </message>
    <message>
        <source>%1 % RH</source>
        <translation>相对湿度 %1 %</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>序列号 %1</translation>
    </message>
    <message>
        <source>certificate %1</source>
        <translation>证书 %1</translation>
    </message>
    <message>
        <source>calibrated %1</source>
        <translation>校准于 %1</translation>
    </message>
    <message>
        <source>due %1</source>
        <translation>到期 %1</translation>
    </message>
    <message>
        <source>; used past its due date: %1</source>
        <translation>；逾期使用：%1</translation>
    </message>
    <message>
        <source>The calibrator sources the input and reads the output of the instrument under test at each test point once the readings have settled.</source>
        <translation>在每个测试点，校准器输出输入信号，并在读数稳定后读取被校仪表的输出。</translation>
    </message>
    <message>
        <source>Input (sourced): %1.</source>
        <translation>输入（输出信号）：%1。</translation>
    </message>
    <message>
        <source>Output (measured): %1.</source>
        <translation>输出（测量）：%1。</translation>
    </message>
    <message>
        <source>Tolerance: %1.</source>
        <translation>容差：%1。</translation>
    </message>
    <message>
        <source>Test points: %1 % of the input span, %2.</source>
        <translation>测试点：输入量程的 %1 %，%2。</translation>
    </message>
    <message>
        <source>Settling: %1.</source>
        <translation>稳定：%1。</translation>
    </message>
    <message>
        <source>As-found: as received, before any adjustment; as-left: after adjustment, if any.</source>
        <translation>校前：收到时的状态，调整之前；校后：调整（如有）之后。</translation>
    </message>
    <message>
        <source>The input was set in ℉; its values are given here in ℃ (t/℃ = (t/℉ - 32) / 1.8).</source>
        <translation>输入以 ℉ 设置；此处其数值以 ℃ 给出（t/℃ = (t/℉ - 32) / 1.8）。</translation>
    </message>
    <message>
        <source>Reference standard: %1.</source>
        <translation>参考标准器：%1。</translation>
    </message>
    <message>
        <source>Calibrator: %1.</source>
        <translation>校准器：%1。</translation>
    </message>
    <message>
        <source>Uncertainties from the calibrator&apos;s documented default accuracy table.</source>
        <translation>不确定度取自校准器文档给出的默认准确度表。</translation>
    </message>
    <message>
        <source>Uncertainties from the accuracy table of the standard&apos;s own certificate.</source>
        <translation>不确定度取自标准器自身证书中的准确度表。</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Calibration certificate of the standard</source>
        <translation>标准器的校准证书</translation>
    </message>
    <message>
        <source>Ambient temperature</source>
        <translation>环境温度</translation>
    </message>
    <message>
        <source>Relative humidity</source>
        <translation>相对湿度</translation>
    </message>
    <message>
        <source>%1, %2 % of span, %3</source>
        <translation>%1，量程的 %2 %，%3</translation>
    </message>
    <message>
        <source>Test point (% of the input span)</source>
        <translation>测试点（输入量程的 %）</translation>
    </message>
    <message>
        <source>Applied input</source>
        <translation>施加的输入</translation>
    </message>
    <message>
        <source>Expected output</source>
        <translation>期望的输出</translation>
    </message>
    <message>
        <source>Measured output</source>
        <translation>测得的输出</translation>
    </message>
    <message>
        <source>Expanded uncertainty: %1.</source>
        <translation>扩展不确定度：%1。</translation>
    </message>
    <message>
        <source>No reading came at this point.</source>
        <translation>该点没有读数。</translation>
    </message>
    <message>
        <source>Error (% of the output span)</source>
        <translation>误差（输出量程的 %）</translation>
    </message>
    <message>
        <source>Test uncertainty ratio (tolerance over U)</source>
        <translation>测试不确定度比（容差除以 U）</translation>
    </message>
    <message>
        <source>Conformity could not be decided: the error lies within U of the tolerance limit.</source>
        <translation>无法判定符合性：误差与容差限的距离在 U 以内。</translation>
    </message>
    <message>
        <source>The test uncertainty ratio of this point is below %1:1.</source>
        <translation>该点的测试不确定度比低于 %1:1。</translation>
    </message>
    <message>
        <source>Calibration of the transfer function</source>
        <translation>传递函数的校准</translation>
    </message>
    <message>
        <source>Measurement uncertainty</source>
        <translation>测量不确定度</translation>
    </message>
    <message>
        <source>Budget of each point: the calibrator&apos;s source and measure accuracy, the resolution of the instrument under test and the repeatability of the settled readings.</source>
        <translation>每个点的不确定度预算：校准器的输出和测量准确度、被校仪表的分辨力以及稳定读数的重复性。</translation>
    </message>
    <message>
        <source>No point was recorded.</source>
        <translation>未记录任何测试点。</translation>
    </message>
    <message>
        <source>Certificate number</source>
        <translation>证书编号</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>修订版</translation>
    </message>
    <message>
        <source>Tag %1: %2</source>
        <translation>位号 %1：%2</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>Technician who calibrated the instrument</source>
        <translation>校准该仪表的校准员</translation>
    </message>
    <message>
        <source>Address: %1</source>
        <translation>地址：%1</translation>
    </message>
    <message>
        <source>Conformity, %1</source>
        <translation>符合性，%1</translation>
    </message>
    <message>
        <source>Amendment</source>
        <translation>修订</translation>
    </message>
    <message>
        <source>Laboratory</source>
        <translation>实验室</translation>
    </message>
    <message>
        <source>The laboratory&apos;s identity is not completely set in the program (name: %1; country: %2).</source>
        <translation>程序中实验室的标识未完全设置（名称：%1；国家：%2）。</translation>
    </message>
    <message>
        <source>not set, written as ZZ</source>
        <translation>未设置，写作 ZZ</translation>
    </message>
    <message>
        <source>Audit trail</source>
        <translation>审计追踪</translation>
    </message>
    <message>
        <source>When this certificate was issued the newest entry of the laboratory&apos;s audit trail had the SHA-256 hash %1.</source>
        <translation>本证书签发时，实验室审计追踪最新条目的 SHA-256 哈希值为 %1。</translation>
    </message>
    <message>
        <source>Issued %1 by %2.</source>
        <translation>%1 由 %2 签发。</translation>
    </message>
    <message>
        <source>Reproduction</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>The digital certificate could not be written to %1: %2</source>
        <translation>无法将数字证书写入 %1：%2</translation>
    </message>
    <message>
        <source>it is issued only for a calibration in the lab&apos;s records</source>
        <translation>仅为实验室记录中的校准出具</translation>
    </message>
    <message>
        <source>the calibration has no run to certify</source>
        <translation>该校准没有可出证的运行</translation>
    </message>
    <message>
        <source>A name or role is kept up to %1 characters.</source>
        <translation>名称或职务最多保存 %1 个字符。</translation>
    </message>
    <message>
        <source>The address is kept up to %1 characters.</source>
        <translation>地址最多保存 %1 个字符。</translation>
    </message>
    <message>
        <source>The country is a code of two capital letters (ISO 3166-1, for example &quot;DE&quot; or &quot;GB&quot;), not &quot;%1&quot;.</source>
        <translation>国家为两个大写字母的代码（ISO 3166-1，例如“DE”或“CN”），而不是“%1”。</translation>
    </message>
    <message>
        <source>There is no settings file to keep the laboratory in.</source>
        <translation>没有可保存实验室信息的设置文件。</translation>
    </message>
    <message>
        <source>The laboratory could not be kept in %1.</source>
        <translation>无法将实验室信息保存到 %1。</translation>
    </message>
    <message>
        <source>Certificates cannot be printed in &quot;%1&quot;.</source>
        <translation>无法以“%1”打印证书。</translation>
    </message>
    <message>
        <source>As-found</source>
        <translation>校前</translation>
    </message>
    <message>
        <source>As-left</source>
        <translation>校后</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>INDETERMINATE</source>
        <translation>无法判定</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>INCOMPLETE</source>
        <translation>未完成</translation>
    </message>
</context>
<context>
    <name>vorenx::ControlTable</name>
    <message>
        <source>Upper</source>
        <translation>上显示</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>下显示</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>周期：</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>长度：</translation>
    </message>
    <message>
        <source>WaveShow</source>
        <translation>波形</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Div</source>
        <translation>量程</translation>
    </message>
    <message>
        <source>Hart</source>
        <translation>HART</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>模拟</translation>
    </message>
    <message>
        <source>CJC</source>
        <translation>冷端补偿</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>SaveData</source>
        <translation>保存数据</translation>
    </message>
    <message>
        <source>DisConnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>CURR</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>RESIS</source>
        <translation>电阻</translation>
    </message>
    <message>
        <source>RTD</source>
        <translation>热电阻</translation>
    </message>
    <message>
        <source>TC</source>
        <translation>热电偶</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>回路</translation>
    </message>
    <message>
        <source>Two-wire</source>
        <translation>二线制</translation>
    </message>
    <message>
        <source>Three-wire</source>
        <translation>三线制</translation>
    </message>
    <message>
        <source>Four-wire</source>
        <translation>四线制</translation>
    </message>
</context>
<context>
    <name>vorenx::FunctionNames</name>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>回路</translation>
    </message>
    <message>
        <source>Millivolt</source>
        <translation>毫伏</translation>
    </message>
    <message>
        <source>Current simulation</source>
        <translation>电流模拟</translation>
    </message>
    <message>
        <source>TC Volt</source>
        <translation>热电偶电压</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>电阻</translation>
    </message>
    <message>
        <source>2-wire</source>
        <translation>二线制</translation>
    </message>
    <message>
        <source>3-wire</source>
        <translation>三线制</translation>
    </message>
    <message>
        <source>4-wire</source>
        <translation>四线制</translation>
    </message>
</context>
<context>
    <name>vorenx::InstrumentStation</name>
    <message>
        <source>Another calibration run is still in progress.</source>
        <translation>另一次校准运行仍在进行中。</translation>
    </message>
</context>
<context>
    <name>vorenx::NewWindow</name>
    <message>
        <source>Cannot start another window (%1): %2</source>
        <translation>无法启动另一个窗口（%1）：%2</translation>
    </message>
</context>
</TS>
