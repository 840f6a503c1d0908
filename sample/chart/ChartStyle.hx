/** A font as the style describes it: name, size, colour and the style bits 1 bold, 2 italic, 4 underline. **/
typedef FontSpec = {
	var name:String;
	var size:Int;
	var color:Int;
	var style:Int;
}

/**
	Every parameter of the chart's style, read from `style.txt` with the
	sample profile's defaults for the ones that are missing.
**/
class ChartStyle {
	public var bgColor:Int;
	public var borderColor:Int;
	public var borderWidth:Int;
	public var chartType:String; // bar, hbar, line, area, pie
	public var margin:Int;
	public var animation:Int; // 0 off, 1 grow, 2 fade in
	public var shadow:Int; // 0 none, 1 soft, 2 hard

	public var titleText:String;
	public var titleFont:FontSpec;
	public var titleAlign:String; // left, center, right
	public var subtitleText:String;

	public var axisColor:Int;
	public var axisWidth:Int;
	public var axisFont:FontSpec;
	public var numberFormat:String;
	public var yMin:Null<Float>;
	public var yMax:Null<Float>;
	public var gridLines:Int; // 1 horizontal + 2 vertical
	public var gridColor:Int;

	public var legendShow:Bool;
	public var legendPos:String; // right, bottom, top, left
	public var legendFont:FontSpec;
	public var legendBg:Int;

	public var palette:String; // classic, pastel, mono
	public var barWidth:Int; // per cent of a category's room
	public var lineStyle:String; // solid, dashed, dotted
	public var marker:Int; // 0 none, 1 circle, 2 square
	public var valueLabels:Int; // 0 hidden, 1 inside, 2 outside
	public var labelFont:FontSpec;
	public var seriesColors:Array<Int>;

	public function new(v:StyleValues) {
		bgColor = v.color("bgColor", 0xFFFFFF);
		borderColor = v.color("borderColor", 0x8C96A0);
		borderWidth = v.int("borderWidth", 1, 0, 10);
		chartType = v.choice("chartType", "bar");
		margin = v.int("margin", 10, 0, 60);
		animation = v.int("animation", 1, 0, 2);
		shadow = v.int("shadow", 1, 0, 2);

		titleText = v.text("titleText", "Sales 2026");
		titleFont = font(v, "titleFont", "titleSize", 16, "titleColor", 0x1F3F6E, "titleStyle", 1);
		titleAlign = v.choice("titleAlign", "center");
		subtitleText = v.text("subtitleText", "Units sold");

		axisColor = v.color("axisColor", 0x404040);
		axisWidth = v.int("axisWidth", 1, 0, 5);
		axisFont = font(v, "axisFont", "axisFontSize", 10, "axisColor", 0x404040, "axisFontStyle", 0);
		numberFormat = v.text("numberFormat", "1,000.00");
		yMin = v.number("yMin");
		yMax = v.number("yMax");
		gridLines = v.int("gridLines", 1, 0, 3);
		gridColor = v.color("gridColor", 0xD8DEE4);

		legendShow = v.choice("legendShow", "yes") != "no";
		legendPos = v.choice("legendPos", "right");
		legendFont = font(v, "legendFont", "legendSize", 10, "legendColor", 0x303030, null, 0);
		legendBg = v.color("legendBg", 0xF4F6F8);

		palette = v.choice("palette", "classic");
		barWidth = v.int("barWidth", 70, 10, 100);
		lineStyle = v.choice("lineStyle", "solid");
		marker = v.int("marker", 1, 0, 2);
		valueLabels = v.int("valueLabels", 0, 0, 2);
		labelFont = font(v, "labelFont", null, axisFont.size, null, axisColor, "labelStyle", 0);
		seriesColors = [
			v.color("series1Color", 0x3D6FB6),
			v.color("series2Color", 0xF28E2B),
			v.color("series3Color", 0x59A14F)
		];
	}

	/** The colour of series i after the palette: pastel lightens, mono greys. **/
	public function seriesColor(i:Int):Int {
		var c = seriesColors[i % seriesColors.length];
		var r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
		switch (palette) {
			case "pastel":
				r = (r + 3 * 255) >> 2;
				g = (g + 3 * 255) >> 2;
				b = (b + 3 * 255) >> 2;
			case "mono":
				r = g = b = Std.int(0.3 * r + 0.59 * g + 0.11 * b);
			default:
		}
		return (r << 16) | (g << 8) | b;
	}

	static function font(v:StyleValues, name:String, size:String, defSize:Int, color:String, defColor:Int, style:String,
			defStyle:Int):FontSpec {
		return {
			name: StringTools.trim(v.text(name, "DejaVu Sans")),
			size: size == null ? defSize : v.int(size, defSize, 6, 72),
			color: color == null ? defColor : v.color(color, defColor),
			style: style == null ? defStyle : v.int(style, defStyle, 0, 7)
		};
	}
}
