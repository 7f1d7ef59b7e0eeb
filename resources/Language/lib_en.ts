<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>MainDialog</name>
    <message>
        <source>等待仪表重新连接</source>
        <translation>Waiting for the meter to come back</translation>
    </message>
    <message>
        <source>文件已存在</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>%1 已存在。要把新的记录追加到这个文件末尾吗？</source>
        <translation>%1 already exists. Append the new records to the end of this file?</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>已向 %1 追加 %2 行</source>
        <translation>Appended %2 rows to %1</translation>
    </message>
    <message>
        <source>已保存 %1：%2 行</source>
        <translation>Saved %1: %2 rows</translation>
    </message>
    <message>
        <source>没有那个文件或目录</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>权限不够</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>不允许的操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>设备上没有空间</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>是一个目录</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>不是目录</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>设备或资源忙</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>超出磁盘限额</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>文件名过长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>系统错误（%1）</source>
        <translation>System error (%1)</translation>
    </message>
    <message>
        <source>(输入悬空时有感应电压是正常现象)</source>
        <translation>(It is normal to have induced voltage when input is suspended)</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>0.000</source>
        <translation>0.000</translation>
    </message>
    <message>
        <source>0.000000</source>
        <translation>0.000000</translation>
    </message>
    <message>
        <source>0.01A</source>
        <translation>0.01A</translation>
    </message>
    <message>
        <source>0.02A</source>
        <translation>0.02A</translation>
    </message>
    <message>
        <source>00.0</source>
        <translation>00.0</translation>
    </message>
    <message>
        <source>01 语言字体设置</source>
        <translation>01 Language</translation>
    </message>
    <message>
        <source>02 工作屏幕亮度</source>
        <translation>02 Working Light</translation>
    </message>
    <message>
        <source>03 待机屏幕亮度</source>
        <translation>03 Standby Light</translation>
    </message>
    <message>
        <source>03 空载电流清零</source>
        <translation>03 Zero No-load I</translation>
    </message>
    <message>
        <source>04 累计数据清零</source>
        <translation>04.All Data Zero</translation>
    </message>
    <message>
        <source>04 进入待机时间</source>
        <translation>04 Standby Time</translation>
    </message>
    <message>
        <source>05 屏幕待机风格</source>
        <translation>05 Standby Style</translation>
    </message>
    <message>
        <source>05 震动开关</source>
        <translation>05 Motor Switch</translation>
    </message>
    <message>
        <source>06 空载电流清零</source>
        <translation>06 Zero No-load I</translation>
    </message>
    <message>
        <source>07 最小测量电流</source>
        <translation>07 Minimum Current</translation>
    </message>
    <message>
        <source>08 参考电压校准</source>
        <translation>08 Voltage Adjust</translation>
    </message>
    <message>
        <source>09 参考电流校准</source>
        <translation>09 Current Adjust</translation>
    </message>
    <message>
        <source>0A</source>
        <translation>0A</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>1 | DC 000001</source>
        <translation>1 | DC 000001</translation>
    </message>
    <message>
        <source>1.000</source>
        <translation>1.000</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>10 内部温度校准</source>
        <translation>10 CPU_T Adjust</translation>
    </message>
    <message>
        <source>11 恢复出厂设置</source>
        <translation>11 Default Setting</translation>
    </message>
    <message>
        <source>12 累计数据清零</source>
        <translation>12.All Data Zero</translation>
    </message>
    <message>
        <source>13 重力旋转开关</source>
        <translation>13 Gravity rotary switch</translation>
    </message>
    <message>
        <source>60</source>
        <translation>60</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;VARNIK DC TESTER V1.0.6&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;VARNIK DC TESTER V1.0.6&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;主页菜单&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Home Menu&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>BIN文件(*.bin)</source>
        <translation>BIN file(*.bin)</translation>
    </message>
    <message>
        <source>CC1</source>
        <translation>CC1</translation>
    </message>
    <message>
        <source>CC1/CC2</source>
        <translation>CC1/CC2</translation>
    </message>
    <message>
        <source>CC1/CC2曲线</source>
        <translation>CC1/CC2 Curve</translation>
    </message>
    <message>
        <source>CC1:</source>
        <translation>CC1:</translation>
    </message>
    <message>
        <source>CC2</source>
        <translation>CC2</translation>
    </message>
    <message>
        <source>CC2:</source>
        <translation>CC2:</translation>
    </message>
    <message>
        <source>CPU TEMP</source>
        <translation>CPU TEMP</translation>
    </message>
    <message>
        <source>CPU:</source>
        <translation>CPU:</translation>
    </message>
    <message>
        <source>CPU_Temp</source>
        <translation>CPU_Temp</translation>
    </message>
    <message>
        <source>CPU温度曲线</source>
        <translation>CPU temperature curve</translation>
    </message>
    <message>
        <source>Custom Axis</source>
        <translation>Custom Axis</translation>
    </message>
    <message>
        <source>DM:</source>
        <translation>DM:</translation>
    </message>
    <message>
        <source>DP/DM</source>
        <translation>DP/DM</translation>
    </message>
    <message>
        <source>DP/DM曲线</source>
        <translation>DP/DM Curve</translation>
    </message>
    <message>
        <source>DP:</source>
        <translation>DP:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Excel file</source>
        <translation>Excel file</translation>
    </message>
    <message>
        <source>Files (*.csv)</source>
        <translation>Files (*.csv)</translation>
    </message>
    <message>
        <source>IBUS</source>
        <translation>IBUS</translation>
    </message>
    <message>
        <source>NTC:</source>
        <translation>NTC:</translation>
    </message>
    <message>
        <source>PD</source>
        <translation>PD</translation>
    </message>
    <message>
        <source>PM</source>
        <translation>PM</translation>
    </message>
    <message>
        <source>POWER</source>
        <translation>POWER</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>Simple Real-Time Chart</source>
        <translation>Simple Real-Time Chart</translation>
    </message>
    <message>
        <source>Tips:Hello!</source>
        <translation>Tips:Hello!</translation>
    </message>
    <message>
        <source>Type-C充电检测</source>
        <translation>Type-C detector</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>USB测试仪主界面</source>
        <translation>USB tester main interface</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>VARNIK_USB_TESTER</source>
        <translation>VARNIK_USB_TESTER</translation>
    </message>
    <message>
        <source>VBUS</source>
        <translation>VBUS</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>image(*.png)</source>
        <translation>image(*.png)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>℃</source>
        <translation>℃</translation>
    </message>
    <message>
        <source>下拉菜单</source>
        <translation>Drop-down menu</translation>
    </message>
    <message>
        <source>下载烧写过程耗时</source>
        <translation>The download burning process takes time</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>主页</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>主页菜单</source>
        <translation>Home Menu</translation>
    </message>
    <message>
        <source>仪表已连接，但无法打开其数据通道（被占用或无访问权限），正在重试</source>
        <translation>Meter connected, but its data channel cannot be opened (busy or access denied); retrying</translation>
    </message>
    <message>
        <source>仪表参数设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>仪表设置</source>
        <translation>SysSet</translation>
    </message>
    <message>
        <source>仪表设置快捷键</source>
        <translation>Device settings shortcut keys</translation>
    </message>
    <message>
        <source>传输完成...</source>
        <translation>Transfer complete...</translation>
    </message>
    <message>
        <source>传输耗时</source>
        <translation>Transmission time</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>升级日志：</source>
        <translation>Log:</translation>
    </message>
    <message>
        <source>协议触发</source>
        <translation>Protocol trigger</translation>
    </message>
    <message>
        <source>单击修改标题</source>
        <translation>Click to modify the Title</translation>
    </message>
    <message>
        <source>原始</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>固件信息</source>
        <translation>Firmware information</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>固件大小：</source>
        <translation>Firmware size:</translation>
    </message>
    <message>
        <source>固件是空的</source>
        <translation>Firmware is empty</translation>
    </message>
    <message>
        <source>固件过大,请选择正确的固件</source>
        <translation>The firmware is too large, please select the correct firmware</translation>
    </message>
    <message>
        <source>导出图片(.png)</source>
        <translation>Export image (.png)</translation>
    </message>
    <message>
        <source>导出数据(.csv)</source>
        <translation>Export data (.csv)</translation>
    </message>
    <message>
        <source>打开数据(.csv)</source>
        <translation>Open data (.csv)</translation>
    </message>
    <message>
        <source>打开上次的记录</source>
        <translation>Open the previous recording</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open the file %1: %2</translation>
    </message>
    <message>
        <source>文件大于 %1 MB</source>
        <translation>The file is larger than %1 MB</translation>
    </message>
    <message>
        <source>文件中没有可读的记录</source>
        <translation>The file holds no readable records</translation>
    </message>
    <message>
        <source>已打开 %1：%2 条记录，跳过 %3 行</source>
        <translation>Opened %1: %2 records, %3 lines skipped</translation>
    </message>
    <message>
        <source>，%1 行不按时间顺序，已排序</source>
        <translation>, %1 rows out of time order were put in order</translation>
    </message>
    <message>
        <source>，%1 行与上一行同一秒</source>
        <translation>, %1 rows in the same second as the row before</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>开发中...</source>
        <translation>Developing...</translation>
    </message>
    <message>
        <source>开始下载</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>开始传输固件...</source>
        <translation>Start transferring firmware...</translation>
    </message>
    <message>
        <source>当前温度：</source>
        <translation>Current temperature:</translation>
    </message>
    <message>
        <source>当前电压：</source>
        <translation>Current voltage:</translation>
    </message>
    <message>
        <source>当前电流：</source>
        <translation>Current current:</translation>
    </message>
    <message>
        <source>快充协议自动检测</source>
        <translation>Protocol detector</translation>
    </message>
    <message>
        <source>快充协议高压触发</source>
        <translation>Protocol trigger</translation>
    </message>
    <message>
        <source>恢复出厂设置</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <source>打开固件文件</source>
        <translation>Open firmware file</translation>
    </message>
    <message>
        <source>打开固件：</source>
        <translation>Open firmware:</translation>
    </message>
    <message>
        <source>打开文件...</source>
        <translation>Open File...</translation>
    </message>
    <message>
        <source>打开文件失败</source>
        <translation>Fail to open file</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Prompt information</translation>
    </message>
    <message>
        <source>握手成功...</source>
        <translation>Handshake succeeded...</translation>
    </message>
    <message>
        <source>数据太少了吧，请记录至少二十条数据。</source>
        <translation>There are too few data. Please record at least 20 data.</translation>
    </message>
    <message>
        <source>数据清零</source>
        <translation>Data clearing</translation>
    </message>
    <message>
        <source>曲线宽度</source>
        <translation>Curve width</translation>
    </message>
    <message>
        <source>曲线设置</source>
        <translation>Curve Settings</translation>
    </message>
    <message>
        <source>曲线颜色</source>
        <translation>Curve color</translation>
    </message>
    <message>
        <source>更新失败</source>
        <translation>Update failed</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>本地升级</source>
        <translation>Local upgrade</translation>
    </message>
    <message>
        <source>本次下载结束</source>
        <translation>End of this download</translation>
    </message>
    <message>
        <source>标题变更对话框</source>
        <translation>Title Change Dialog</translation>
    </message>
    <message>
        <source>校准系数：</source>
        <translation>Calibration factor:</translation>
    </message>
    <message>
        <source>此功能正在加点开发中，敬请期待。</source>
        <translation>This function is under development.</translation>
    </message>
    <message>
        <source>测量小数值时让曲线更明显</source>
        <translation>Make the curve more pronounced when measuring small values</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>滚动图显</source>
        <translation>Scroll display</translation>
    </message>
    <message>
        <source>烧写完成...</source>
        <translation>Burning completed...</translation>
    </message>
    <message>
        <source>电池容量</source>
        <translation>Battery capacity</translation>
    </message>
    <message>
        <source>电池容量电量检测</source>
        <translation>Capacity detector</translation>
    </message>
    <message>
        <source>电流清零</source>
        <translation>Current clearing</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>空的固件</source>
        <translation>Empty firmware</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>系统升级快捷键</source>
        <translation>System upgrade shortcut key</translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>累计图显</source>
        <translation>All Display</translation>
    </message>
    <message>
        <source>背景颜色风格：</source>
        <translation>ChartTheme:</translation>
    </message>
    <message>
        <source>自定义曲线范围</source>
        <translation>Custom Scope</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>设备信息</source>
        <translation>Device information</translation>
    </message>
    <message>
        <source>设备列表</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>设备名称:</source>
        <translation>Device name:</translation>
    </message>
    <message>
        <source>设备名称：</source>
        <translation>Device name:</translation>
    </message>
    <message>
        <source>设备已断开</source>
        <translation>Device disconnected</translation>
    </message>
    <message>
        <source>设备已连接</source>
        <translation>Device connected</translation>
    </message>
    <message>
        <source>请等待设备烧写完成...</source>
        <translation>Please wait for the device to finish burning...</translation>
    </message>
    <message>
        <source>请输入标题:</source>
        <translation>Please enter a title:</translation>
    </message>
    <message>
        <source>运行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>运行/停止</source>
        <translation>Run/Stop</translation>
    </message>
    <message>
        <source>返回主页</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>风格1</source>
        <translation>Style 1</translation>
    </message>
    <message>
        <source>风格2</source>
        <translation>Style 2</translation>
    </message>
    <message>
        <source>无权打开电表：请安装 udev 规则 70-usb-meter.rules（见 README），然后重新插拔电表。</source>
        <translation>Permission denied opening the meter: install the udev rule 70-usb-meter.rules (see README), then replug the meter.</translation>
    </message>
</context>
<context>
    <name>DeviceInfoUI</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>[none]</source>
        <translation>[none]</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>SN</translation>
    </message>
    <message>
        <source>模拟器</source>
        <translation>Simulator</translation>
    </message>
    <message>
        <source>空闲</source>
        <translation>Idle</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>customcoordinates</name>
    <message>
        <source>CC1:</source>
        <translation>CC1:</translation>
    </message>
    <message>
        <source>CC2:</source>
        <translation>CC2:</translation>
    </message>
    <message>
        <source>CPU_T:</source>
        <translation>CPU_T:</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>IBUS:</source>
        <translation>IBUS:</translation>
    </message>
    <message>
        <source>PD:</source>
        <translation>PD:</translation>
    </message>
    <message>
        <source>PM:</source>
        <translation>PM:</translation>
    </message>
    <message>
        <source>POWER:</source>
        <translation>POWER:</translation>
    </message>
    <message>
        <source>VBUS:</source>
        <translation>VBUS:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>当前状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>数据轴</source>
        <translation>Data axis</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum value</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>send</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>receive</translation>
    </message>
</context>
<context>
    <name>moresetting</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>
</source>
        <translation>
</translation>
    </message>
    <message>
        <source>,</source>
        <translation>,</translation>
    </message>
    <message>
        <source>--------------------------R48M----------------------------
</source>
        <translation>--------------------------R48M----------------------------
</translation>
    </message>
    <message>
        <source>----------------VARNIK USB_Tester Software----------------
</source>
        <translation>----------------VARNIK USB_Tester Software----------------
</translation>
    </message>
    <message>
        <source>CC1(V),</source>
        <translation>CC1(V),</translation>
    </message>
    <message>
        <source>CC2(V),</source>
        <translation>CC2(V),</translation>
    </message>
    <message>
        <source>CPU_TEMP(℃),
</source>
        <translation>CPU_TEMP(℃),
</translation>
    </message>
    <message>
        <source>DATE,</source>
        <translation>DATE,</translation>
    </message>
    <message>
        <source>IBUS(A),</source>
        <translation>IBUS(A),</translation>
    </message>
    <message>
        <source>PD(V),</source>
        <translation>PD(V),</translation>
    </message>
    <message>
        <source>PM(V),</source>
        <translation>PM(V),</translation>
    </message>
    <message>
        <source>POWER(W),</source>
        <translation>POWER(W),</translation>
    </message>
    <message>
        <source>VBUS(V),</source>
        <translation>VBUS(V),</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>实时显示、记录和设置 USB 功率计。</source>
        <translation>Watch, record and configure a USB power meter.</translation>
    </message>
    <message>
        <source>启动时打开的记录文件（CSV）</source>
        <translation>A recording (CSV file) to show at start</translation>
    </message>
    <message>
        <source>显示此帮助并退出</source>
        <translation>Show this help and exit</translation>
    </message>
    <message>
        <source>显示版本号并退出</source>
        <translation>Show the version and exit</translation>
    </message>
    <message>
        <source>只能打开一个记录文件</source>
        <translation>Only one recording file can be opened</translation>
    </message>
</context>
<context>
    <name>CapacityPage</name>
    <message>
        <source>暂停：仪表未连接</source>
        <translation>Paused: meter not connected</translation>
    </message>
    <message>
        <source>暂停：固件升级中</source>
        <translation>Paused: firmware upgrade in progress</translation>
    </message>
    <message>
        <source>电量 (mAh)</source>
        <translation>Charge (mAh)</translation>
    </message>
    <message>
        <source>能量 (Wh)</source>
        <translation>Energy (Wh)</translation>
    </message>
    <message>
        <source>测试时间</source>
        <translation>Elapsed</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>峰值</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>电压 (V)</source>
        <translation>Voltage (V)</translation>
    </message>
    <message>
        <source>电流 (A)</source>
        <translation>Current (A)</translation>
    </message>
    <message>
        <source>功率 (W)</source>
        <translation>Power (W)</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清零</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>自动结束：</source>
        <translation>Auto end:</translation>
    </message>
    <message>
        <source>电流低于</source>
        <translation>Current below</translation>
    </message>
    <message>
        <source>持续</source>
        <translation>for</translation>
    </message>
    <message>
        <source>电压低于</source>
        <translation>Voltage below</translation>
    </message>
    <message>
        <source>电流低于此值持续设定时间后自动结束测试</source>
        <translation>The test ends when the current stays below this value for the set time</translation>
    </message>
    <message>
        <source>电压低于此值时自动结束测试</source>
        <translation>The test ends when the voltage falls below this value</translation>
    </message>
    <message>
        <source>未开始</source>
        <translation>Not started</translation>
    </message>
    <message>
        <source>测试中</source>
        <translation>Testing</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>已结束：电压低于截止电压，%1</source>
        <translation>Ended: voltage below the cut-off, %1</translation>
    </message>
    <message>
        <source>已结束：电流持续低于结束电流，%1</source>
        <translation>Ended: current stayed below the end current, %1</translation>
    </message>
</context>
<context>
    <name>RunJournal</name>
    <message>
        <source>记录日志已关闭（%1），本次记录只保存在内存中</source>
        <translation>Journal off (%1): this recording is kept in memory only</translation>
    </message>
    <message>
        <source>记录日志</source>
        <translation>Recording journal</translation>
    </message>
    <message>
        <source>记录日志写入失败（%1），已停止写入。本次记录仍在内存中继续。</source>
        <translation>The journal could not be written (%1) and has stopped. The recording goes on in memory.</translation>
    </message>
    <message>
        <source>恢复记录</source>
        <translation>Recover recording</translation>
    </message>
    <message>
        <source>上次的记录没有正常结束（始于 %1，共 %2 条数据）。打开这份记录，还是丢弃？</source>
        <translation>The last recording did not end cleanly (started %1, %2 samples). Open it or discard it?</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>丢弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>上次的记录已停止，但没有保存（始于 %1，共 %2 条数据）。打开这份记录，还是丢弃？</source>
        <translation>The last recording was stopped but never saved (started %1, %2 samples). Open it or discard it?</translation>
    </message>
    <message>
        <source>较新版本留下的记录已原样保留，本次记录另存</source>
        <translation>A recording left by a newer version was kept as it is; this one is recorded apart</translation>
    </message>
    <message>
        <source>打开数据</source>
        <translation>Open data</translation>
    </message>
    <message>
        <source>当前记录有 %1 条数据尚未保存。先保存，还是直接替换？被替换的记录可从“打开上次的记录”找回。</source>
        <translation>The current recording has %1 unsaved samples. Save it first, or replace it? A replaced recording can be opened again with “Open the previous recording”.</translation>
    </message>
    <message>
        <source>先保存</source>
        <translation>Save first</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RangeSummary</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>电量 (mAh)</source>
        <translation>Charge (mAh)</translation>
    </message>
    <message>
        <source>能量 (Wh)</source>
        <translation>Energy (Wh)</translation>
    </message>
    <message>
        <source>采样数</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>间断</source>
        <translation>Gaps</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>导出所选(.csv)</source>
        <translation>Export selection (.csv)</translation>
    </message>
</context>
</TS>
