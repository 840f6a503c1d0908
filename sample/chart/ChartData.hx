/**
	The chart's data, read from a file of `&name=value` lines: `categories`
	lists the category names, `series` the series names, and one line per
	series holds its values, one per category.

	&categories=Q1,Q2,Q3,Q4
	&series=North,South
	&North=1200,1900,1500,2200
	&South=800,1100,1400,1300
**/
class ChartData {
	public var categories:Array<String>;
	public var names:Array<String> = [];
	public var values:Array<Array<Float>> = [];

	public function new(text:String) {
		var lines = new StyleValues(text);
		categories = lines.list("categories");
		for (name in lines.list("series")) {
			if (name == "")
				continue;
			var row = [for (item in lines.list(name)) parseValue(item)];
			while (row.length < categories.length)
				row.push(0);
			names.push(name);
			values.push(row.slice(0, categories.length));
		}
	}

	public function isEmpty():Bool {
		return categories.length == 0 || names.length == 0;
	}

	public function total(series:Int):Float {
		var sum = 0.0;
		for (v in values[series])
			sum += Math.max(v, 0);
		return sum;
	}

	public function minValue():Float {
		var m = Math.POSITIVE_INFINITY;
		for (row in values)
			for (v in row)
				m = Math.min(m, v);
		return m;
	}

	public function maxValue():Float {
		var m = Math.NEGATIVE_INFINITY;
		for (row in values)
			for (v in row)
				m = Math.max(m, v);
		return m;
	}

	static function parseValue(item:String):Float {
		var v = Std.parseFloat(item);
		return Math.isNaN(v) ? 0 : v;
	}
}
